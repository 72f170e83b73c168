#pragma once

// The holidays of a range of years as an iCalendar file (RFC 5545): one all-day event per
// holiday, UTF-8, CR LF line ends, lines folded at 75 octets.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The iCalendar text of every holiday of the years first..last (1 <= first <= last <= 9999), as
// holiday resolution gives them from the loaded definitions. `stamp` is the DTSTAMP value of every
// event, a UTC date-time "yyyymmddThhmmssZ". Days that a definition names but that do not exist
// (a fifth weekday in a month that has four) are not holidays and give no event. With
// `withKoyomi`, each year's 二十四節気 and 雑節 follow its holidays as all-day events (the years of
// the 暦 only), those fixed by the Sun's longitude with their time in the description.
std::string HolidaysToICalendar(std::int16_t first, std::int16_t last, std::string_view stamp,
                                bool withKoyomi = false);

// A content line folded as RFC 5545 asks: no line longer than 75 octets, each continuation begun
// by one space, never splitting a UTF-8 character. Each resulting line ends with CR LF.
std::string FoldContentLine(std::string_view line);

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
std::string EscapeIcsText(std::string_view text);

// The UID of the event of a holiday: the same for the same day and name in every run.
std::string HolidayUid(std::string_view dateText, std::string_view name);

// `time` as a UTC date-time "yyyymmddThhmmssZ".
std::string IcsUtcStamp(std::time_t time);

// The command "ics [--koyomi] FIRST [LAST]" of korin: the holidays of the years FIRST..LAST (LAST
// defaults to FIRST) as an iCalendar file, stamped with the current time. Throws UsageError for a
// year that is not 1..9999 or a LAST before FIRST.
int RunIcs(const std::vector<std::string>& args, std::string& out);
