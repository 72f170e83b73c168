// Writes the era definitions "Korin2.csv" from the era table of the ICU library on this machine:
// the names of the "japanese" calendar in locale "ja" and the start dates of ICU's supplemental
// data (calendarData/japanese/eras). One line "yyyymmdd,name" per era, oldest first, code page 932,
// CR LF, as the era editor writes the file.
//
// ICU gives each era's start as the month and day of the calendar then in use, with the Gregorian
// year. Before 明治 that is the old lunisolar calendar; those dates are kept as they are, so that
// era years, which follow calendar years, come out right. From 明治 on the start must be the
// Gregorian day: ICU's 明治 start (the day of the proclamation, 1868-09-08 by the old calendar) is
// replaced by 18680125, the Gregorian day of 明治元年1月1日, to which the era was dated back. The
// later eras already start on their Gregorian days in ICU; the tool checks that and stops if not.
//
// Usage: make_eras OUTPUT

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/ucnv.h>
#include <unicode/ures.h>
#include <vector>

namespace {

struct EraStart {
    int number = 0; // the era's own key in ICU's table, its index among the era names
    int year = 0;
    int month = 0;
    int day = 0;
};

struct EraLine {
    std::string startDate; // "yyyymmdd"
    std::string name;      // UTF-8
};

// Closes an ICU resource bundle when it goes out of scope.
struct BundleCloser {
    void operator()(UResourceBundle* bundle) const { ures_close(bundle); }
};
using Bundle = std::unique_ptr<UResourceBundle, BundleCloser>;

// The start of every era in ICU's supplemental data, ordered by era number. The table's keys
// ("0" ... "236") sort as text, so its index order is not the chronological order: each entry's
// own key is its number.
std::optional<std::vector<EraStart>> readEraStarts() {
    UErrorCode status = U_ZERO_ERROR;
    Bundle data(ures_openDirect(nullptr, "supplementalData", &status));
    Bundle calendars(ures_getByKey(data.get(), "calendarData", nullptr, &status));
    Bundle japanese(ures_getByKey(calendars.get(), "japanese", nullptr, &status));
    Bundle eras(ures_getByKey(japanese.get(), "eras", nullptr, &status));
    if (U_FAILURE(status)) {
        std::cerr << "make_eras: no japanese eras in ICU's data: " << u_errorName(status) << '\n';
        return std::nullopt;
    }
    std::map<int, EraStart> byNumber;
    const int32_t size = ures_getSize(eras.get());
    for (int32_t i = 0; i < size; ++i) {
        Bundle era(ures_getByIndex(eras.get(), i, nullptr, &status));
        Bundle start(ures_getByKey(era.get(), "start", nullptr, &status));
        int32_t length = 0;
        const int32_t* values = ures_getIntVector(start.get(), &length, &status);
        if (U_FAILURE(status) || length != 3) {
            std::cerr << "make_eras: era entry " << i << " has no start date\n";
            return std::nullopt;
        }
        const int number = std::stoi(ures_getKey(era.get()));
        byNumber[number] = EraStart{number, values[0], values[1], values[2]};
    }
    std::vector<EraStart> starts;
    for (const auto& [number, start] : byNumber) {
        if (number != static_cast<int>(starts.size())) {
            std::cerr << "make_eras: era number " << starts.size() << " is missing\n";
            return std::nullopt;
        }
        starts.push_back(start);
    }
    return starts;
}

// The era names of the "japanese" calendar in locale "ja", indexed by era number.
std::optional<std::vector<std::string>> readEraNames() {
    UErrorCode status = U_ZERO_ERROR;
    // A formatter brings the symbols of the locale's own calendar; a bare DateFormatSymbols
    // would give the Gregorian ones.
    icu::SimpleDateFormat format(icu::UnicodeString(u"G"), icu::Locale("ja@calendar=japanese"),
                                 status);
    if (U_FAILURE(status)) {
        std::cerr << "make_eras: no japanese calendar for locale ja: " << u_errorName(status)
                  << '\n';
        return std::nullopt;
    }
    int32_t count = 0;
    const icu::UnicodeString* eras = format.getDateFormatSymbols()->getEras(count);
    std::vector<std::string> names;
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        eras[i].toUTF8String(name);
        names.push_back(name);
    }
    return names;
}

std::string dateText(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

// The Gregorian first days of the modern eras. ICU's start is replaced only for 明治; for the
// others it must already agree.
struct ModernStart {
    const char* name;
    const char* startDate;
    bool replacesIcu;
};
constexpr ModernStart modernStarts[] = {
    {"明治", "18680125", true},  {"大正", "19120730", false}, {"昭和", "19261225", false},
    {"平成", "19890108", false}, {"令和", "20190501", false},
};

std::optional<std::vector<EraLine>> buildLines(const std::vector<EraStart>& starts,
                                               const std::vector<std::string>& names) {
    if (names.size() < starts.size()) {
        std::cerr << "make_eras: " << starts.size() << " start dates but only " << names.size()
                  << " names\n";
        return std::nullopt;
    }
    std::vector<EraLine> lines;
    for (const EraStart& start : starts) {
        EraLine line{dateText(start.year, start.month, start.day), names[start.number]};
        if (line.name.empty() || line.name.find(',') != std::string::npos) {
            std::cerr << "make_eras: era " << start.number << " has no usable name\n";
            return std::nullopt;
        }
        for (const ModernStart& modern : modernStarts) {
            if (line.name != modern.name) {
                continue;
            }
            if (modern.replacesIcu) {
                line.startDate = modern.startDate;
            } else if (line.startDate != modern.startDate) {
                std::cerr << "make_eras: ICU starts " << line.name << " on " << line.startDate
                          << ", expected " << modern.startDate << '\n';
                return std::nullopt;
            }
        }
        if (!lines.empty() && line.startDate <= lines.back().startDate) {
            std::cerr << "make_eras: " << line.name << " does not start after " << lines.back().name
                      << '\n';
            return std::nullopt;
        }
        lines.push_back(line);
    }
    return lines;
}

// UTF-8 to code page 932; nullopt when a character has no code page 932 form.
std::optional<std::string> toCp932(const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-31j", &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    std::string bytes(static_cast<std::size_t>(unicode.length()) * 2 + 1, '\0');
    const int32_t length =
        ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                        unicode.getBuffer(), unicode.length(), &status);
    ucnv_close(converter);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_eras OUTPUT\n";
        return 2;
    }
    const auto starts = readEraStarts();
    const auto names = readEraNames();
    if (!starts || !names) {
        return 1;
    }
    const auto lines = buildLines(*starts, *names);
    if (!lines) {
        return 1;
    }
    std::string text;
    for (const EraLine& line : *lines) {
        text += line.startDate + "," + line.name + "\r\n";
    }
    const auto bytes = toCp932(text);
    if (!bytes) {
        std::cerr << "make_eras: an era name has no code page 932 form\n";
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    out.close();
    if (!out) {
        std::cerr << "make_eras: cannot write " << argv[1] << '\n';
        return 1;
    }
    std::cout << argv[1] << ": " << lines->size() << " eras\n";
    return 0;
}
