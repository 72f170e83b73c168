#include "cli/koyomi_commands.h"

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/ics.h"
#include "date/serial.h"
#include "koyomi/koyomi.h"

#include <string>
#include <utility>

namespace {

// The years FIRST [LAST] of a 暦 command, within the years the 暦 covers.
std::pair<int, int> koyomiYears(const std::vector<std::string>& args) {
    RequireArgumentCount(args, 1, 2);
    const int first = ParseYearArgument(args[0]);
    const int last = args.size() > 1 ? ParseYearArgument(args[1]) : first;
    if (last < first) {
        throw UsageError("LAST が FIRST より前です: " + args[0] + " " + args[1]);
    }
    if (first < KoyomiFirstYear || last > KoyomiLastYear) {
        throw UsageError("暦は " + std::to_string(KoyomiFirstYear) + " 年から " +
                         std::to_string(KoyomiLastYear) + " 年までです。");
    }
    return {first, last};
}

// "YYYY/MM/DD" of a date text.
std::string slashDate(const std::string& date) {
    return date.substr(0, 4) + "/" + date.substr(4, 2) + "/" + date.substr(6, 2);
}

void addLine(std::string& out, const std::string& name, const std::string& value) {
    out += FoldContentLine(name + ":" + value);
}

} // namespace

int RunKoyomi(const std::vector<std::string>& args, std::string& out) {
    const auto [first, last] = koyomiYears(args);
    for (int year = first; year <= last; ++year) {
        const KoyomiYear* data = KoyomiOfYear(year);
        for (std::size_t i = 0; i < data->days.size(); ++i) {
            const auto serial = static_cast<std::int32_t>(data->firstDay + i);
            const DayKoyomi& day = data->days[i];
            out += slashDate(St_Days_to_YMD(serial));
            out += "\t(";
            out += WeekdayLetter(St_Weekday(serial));
            out += ")\t";
            out += LunarDateText(day);
            out += '\t';
            out += RokuyoName(day.rokuyo);
            out += '\t';
            out += day.notes;
            out += '\t';
            out += MoonAgeText(day.noonMoonAge);
            out += '\n';
        }
    }
    return 0;
}

int RunSekki(const std::vector<std::string>& args, std::string& out) {
    const auto [first, last] = koyomiYears(args);
    for (int year = first; year <= last; ++year) {
        for (const KoyomiEvent& term : KoyomiOfYear(year)->solarTerms) {
            out += InstantText(term.instant) + "\t" + term.name + "\n";
        }
    }
    return 0;
}

int RunMoon(const std::vector<std::string>& args, std::string& out) {
    const auto [first, last] = koyomiYears(args);
    for (int year = first; year <= last; ++year) {
        for (const KoyomiEvent& phase : MoonPhasesOfYear(year)) {
            out += InstantText(phase.instant) + "\t" + phase.name + "\n";
        }
    }
    return 0;
}

std::string KoyomiEventsToICalendar(int year, std::string_view stamp) {
    std::string out;
    const KoyomiYear* data = KoyomiOfYear(year);
    if (data == nullptr) {
        return out;
    }
    for (const KoyomiEvent& event : data->events) {
        const std::string date = St_Days_to_YMD(event.day);
        addLine(out, "BEGIN", "VEVENT");
        std::string uid = HolidayUid(date, event.name);
        uid.replace(uid.find("@holidays.korin"), std::string::npos, "@koyomi.korin");
        addLine(out, "UID", uid);
        addLine(out, "DTSTAMP", std::string(stamp));
        addLine(out, "DTSTART;VALUE=DATE", date);
        addLine(out, "DTEND;VALUE=DATE", St_Days_to_YMD(event.day + 1));
        addLine(out, "SUMMARY", EscapeIcsText(event.name));
        if (event.timed) {
            std::string description = InstantText(event.instant) + " (日本標準時)";
            if (year > 2100) {
                description += " 2100年より後の時刻は数分の誤差を含みます。";
            }
            addLine(out, "DESCRIPTION", EscapeIcsText(description));
        }
        addLine(out, "CATEGORIES", "暦");
        addLine(out, "TRANSP", "TRANSPARENT");
        addLine(out, "END", "VEVENT");
    }
    return out;
}
