#include "cli/ics.h"

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/koyomi_commands.h"
#include "date/holidays.h"
#include "date/serial.h"
#include "platform/program_environment.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t maxLineOctets = 75; // RFC 5545, 3.1: excluding the line break

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Appends one "NAME:value" line, folded.
void addLine(std::string& out, std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    line += value;
    out += FoldContentLine(line);
}

// The date text of the day after `date`, or the empty text after 31 December 9999, which no
// four-digit DATE value can follow.
std::string nextDay(const std::string& date) {
    const std::int32_t serial = St_YMD_to_Days(date);
    if (serial >= MaxSerialDay) {
        return {};
    }
    return St_Days_to_YMD(serial + 1);
}

} // namespace

std::string FoldContentLine(std::string_view line) {
    std::string out;
    std::size_t limit = maxLineOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        // Move the cut back to the start of a character; a continuation line then begins with
        // that whole character.
        while (cut > 0 && isUtf8Continuation(line[cut])) {
            --cut;
        }
        if (cut == 0) {
            cut = limit; // not UTF-8: fold at the octet limit rather than loop forever
        }
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = maxLineOctets - 1; // the leading space counts
    }
    out.append(line);
    out += "\r\n";
    return out;
}

std::string EscapeIcsText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\':
        case ';':
        case ',':
            out += '\\';
            out += c;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += "\\n";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string HolidayUid(std::string_view dateText, std::string_view name) {
    // FNV-1a over the name: stable across runs and machines, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    std::string uid(dateText);
    uid += '-';
    uid += hex;
    uid += "@holidays.korin";
    return uid;
}

std::string IcsUtcStamp(std::time_t time) {
    const std::tm utc = UtcTimeOf(time);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::string HolidaysToICalendar(std::int16_t first, std::int16_t last, std::string_view stamp,
                                bool withKoyomi) {
    std::string out;
    addLine(out, "BEGIN", "VCALENDAR");
    addLine(out, "VERSION", "2.0");
    addLine(out, "PRODID", "-//Zelvar//korin//JA");
    addLine(out, "CALSCALE", "GREGORIAN");
    for (int year = first; year <= last; ++year) {
        const auto y = static_cast<std::int16_t>(year);
        St_HolidayName(y, 1, 1); // fills YearHolidays for the year
        std::vector<YearHoliday> holidays = YearHolidays;
        std::stable_sort(
            holidays.begin(), holidays.end(),
            [](const YearHoliday& a, const YearHoliday& b) { return a.MonthDay < b.MonthDay; });
        for (const YearHoliday& holiday : holidays) {
            const std::string& md = holiday.MonthDay;
            if (md.size() != 4 ||
                !std::all_of(md.begin(), md.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                continue; // a rule that names no real day
            }
            const int month = (md[0] - '0') * 10 + (md[1] - '0');
            const int day = (md[2] - '0') * 10 + (md[3] - '0');
            if (day < 1 || day > St_DaysInMonth(y, static_cast<std::int16_t>(month))) {
                continue;
            }
            const std::string date = MakeDateText(year, month, day);
            addLine(out, "BEGIN", "VEVENT");
            addLine(out, "UID", HolidayUid(date, holiday.Name));
            addLine(out, "DTSTAMP", stamp);
            addLine(out, "DTSTART;VALUE=DATE", date);
            const std::string end = nextDay(date);
            if (end.empty()) {
                addLine(out, "DURATION", "P1D");
            } else {
                addLine(out, "DTEND;VALUE=DATE", end);
            }
            addLine(out, "SUMMARY", EscapeIcsText(holiday.Name));
            addLine(out, "TRANSP", "TRANSPARENT");
            addLine(out, "END", "VEVENT");
        }
        if (withKoyomi) {
            out += KoyomiEventsToICalendar(year, stamp);
        }
    }
    addLine(out, "END", "VCALENDAR");
    return out;
}

int RunIcs(const std::vector<std::string>& options, std::string& out) {
    std::vector<std::string> args;
    bool withKoyomi = false;
    for (const std::string& arg : options) {
        if (arg == "--koyomi") {
            withKoyomi = true;
        } else {
            args.push_back(arg);
        }
    }
    RequireArgumentCount(args, 1, 2);
    const std::int16_t first = ParseYearArgument(args[0]);
    const std::int16_t last = args.size() > 1 ? ParseYearArgument(args[1]) : first;
    if (last < first) {
        throw UsageError("LAST が FIRST より前です: " + args[0] + " " + args[1]);
    }
    out += HolidaysToICalendar(first, last, IcsUtcStamp(std::time(nullptr)), withKoyomi);
    return 0;
}
