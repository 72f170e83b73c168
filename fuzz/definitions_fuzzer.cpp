// Feeds arbitrary bytes to the definition-file loader as both files, then resolves holidays and
// eras from whatever was loaded, writes the tables back and checks that they read back the same.

#include "date/definitions.h"
#include "date/eras.h"
#include "date/holidays.h"
#include "date/host.h"
#include "date/serial.h"
#include "platform/file_replace.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Ended {};

// Swallows messages; "end the program" unwinds to the fuzzer loop.
class FuzzHost final : public EngineHost {
public:
    void showError(const std::string&) override {}
    [[noreturn]] void endProgram() override { throw Ended(); }
    [[nodiscard]] std::string programFolder() const override { return folder; }
    [[nodiscard]] WriteResult replaceFile(const std::string& path,
                                          std::string_view bytes) override {
        return ReplaceFileSafely(PathFromUtf8(path), bytes);
    }
    std::string folder;
};

FuzzHost& host() {
    static FuzzHost instance = [] {
        FuzzHost h;
        // A memory file system when there is one: the writer flushes every file to the disk.
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/zelvar_fuzz_XXXXXX"
                                                            : "/tmp/zelvar_fuzz_XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        h.folder = pattern;
        // The folder goes when the fuzzer ends. The handler runs after this object is destroyed,
        // so it keeps its own copy of the path, which lives until the process ends.
        static const std::string* const toRemove = new std::string(pattern);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(*toRemove, ec);
        });
        return h;
    }();
    return instance;
}

void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::string path = host().folder + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);
}

std::int16_t clampYear(int year) {
    return static_cast<std::int16_t>(year < 1 ? 1 : (year > 9999 ? 9999 : year));
}

void resolveSome() {
    std::vector<std::int16_t> years = {1, 1948, 1973, 2007, 2024, 9999};
    for (std::size_t k = 0; k < HolidayDefs.size() && k < 4; ++k) {
        years.push_back(clampYear(HolidayDefs[k].FromYear));
        years.push_back(clampYear(HolidayDefs[k].ToYear));
    }
    for (std::int16_t year : years) {
        try {
            St_HolidayName(year, 1, 1);
            for (const YearHoliday& h : YearHolidays) {
                if (h.MonthDay.size() == 4) {
                    auto month =
                        static_cast<std::int16_t>(std::atoi(h.MonthDay.substr(0, 2).c_str()));
                    auto day = static_cast<std::int16_t>(std::atoi(h.MonthDay.substr(2).c_str()));
                    St_HolidayName(year, month, day);
                }
            }
            St_HolidayName(year, 12, 31);
        } catch (const Ended&) {
            // A definition of unknown kind in force that year.
        }
    }
    std::vector<std::string> dates = {"00010101", "19890108", "20240315", "20190599", "99991231"};
    for (std::size_t k = 0; k < EraDefs.size() && k < 4; ++k) {
        dates.push_back(EraDefs[k].StartDate);
    }
    for (const std::string& date : dates) {
        St_Era(date);
        (void)EraLabel(EraName, EraYearText);
    }
}

bool sameHolidays(const std::vector<HolidayDef>& a, const std::vector<HolidayDef>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        const HolidayDef& x = a[k];
        const HolidayDef& y = b[k];
        if (x.Name != y.Name || x.Kind != y.Kind || x.Month != y.Month || x.Day != y.Day ||
            x.Week != y.Week || x.Weekday != y.Weekday || x.FromYear != y.FromYear ||
            x.ToYear != y.ToYear) {
            return false;
        }
    }
    return true;
}

bool sameEras(const std::vector<EraDef>& a, const std::vector<EraDef>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (a[k].Name != b[k].Name || a[k].StartDate != b[k].StartDate) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetEngineHost(&host());
    // The first two bytes choose where the holiday file ends and the era file begins.
    std::size_t split = 0;
    if (size >= 2) {
        split = (static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8) %
                (size - 1);
        data += 2;
        size -= 2;
    }
    writeFile("Korin1.csv", data, split);
    writeFile("Korin2.csv", data + split, size - split);
    try {
        St_LoadDefinitions();
    } catch (const Ended&) {
        std::abort(); // both files exist: loading must not end the program
    }
    if (HolidayDefCount != static_cast<std::int16_t>(HolidayDefs.size()) ||
        EraDefCount != static_cast<std::int16_t>(EraDefs.size())) {
        std::abort();
    }
    resolveSome();

    // Whatever the writer accepts must read back as the same tables.
    const std::vector<HolidayDef> holidays = HolidayDefs;
    const std::vector<EraDef> eras = EraDefs;
    const bool holidaysWritten = WriteHolidayDefinitions().written();
    const bool erasWritten = WriteEraDefinitions().written();
    if (holidaysWritten && erasWritten) {
        St_LoadDefinitions();
        if (!sameHolidays(holidays, HolidayDefs) || !sameEras(eras, EraDefs)) {
            std::abort();
        }
    }
    return 0;
}
