#pragma once

// The 暦 commands of korin: "koyomi", "sekki", "moon", and the 暦 events of "ics --koyomi".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// koyomi FIRST [LAST]: one line per day of the years, tab-separated: "YYYY/MM/DD", the weekday
// "(火)", the 旧暦 date "旧M月D日" (a leap month "旧閏M月D日"), the 六曜, the day's 節気 and 雑節
// joined with "・" (empty when none), the moon's age at noon with one decimal.
int RunKoyomi(const std::vector<std::string>& args, std::string& out);

// sekki FIRST [LAST]: the 24 solar terms of each year, "YYYY/MM/DD HH:MM", a tab, the name (JST,
// to the nearest minute).
int RunSekki(const std::vector<std::string>& args, std::string& out);

// moon FIRST [LAST]: every 朔, 上弦, 望 and 下弦 of the years in the same form.
int RunMoon(const std::vector<std::string>& args, std::string& out);

// One VEVENT text per 節気 and 雑節 of `year` (none outside the years of the 暦), each line ended
// by CR LF and folded; `stamp` is the DTSTAMP value.
std::string KoyomiEventsToICalendar(int year, std::string_view stamp);
