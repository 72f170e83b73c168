// Speed of the date engine on the paths the month view and the calculator use.

#include "date/codepage.h"
#include "date/definitions.h"
#include "date/eras.h"
#include "date/holidays.h"
#include "date/host.h"
#include "date/serial.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Messages would be a fault here: count them so that a run that reports one shows it.
class BenchHost final : public EngineHost {
public:
    explicit BenchHost(std::string folder) : folder_(std::move(folder)) {}
    void showError(const std::string& message) override {
        std::fprintf(stderr, "engine message: %s\n", message.c_str());
    }
    [[noreturn]] void endProgram() override { std::abort(); }
    [[nodiscard]] std::string programFolder() const override { return folder_; }
    // The benchmarks only read.
    [[nodiscard]] WriteResult replaceFile(const std::string&, std::string_view) override {
        return WriteResult::failed(ENOSYS);
    }

private:
    std::string folder_;
};

// The shipped definitions when they exist, else the engine tests' standard fixture.
std::string definitionsFolder() {
    std::string shipped = std::string(ZELVAR_SOURCE_DIR) + "/data";
    if (std::filesystem::exists(shipped + "/Korin1.csv") &&
        std::filesystem::exists(shipped + "/Korin2.csv")) {
        return shipped;
    }
    return std::string(ZELVAR_SOURCE_DIR) + "/tests/date/fixtures/standard";
}

// The holiday name of every day of the years 1..9999 in calendar order, as the month view asks
// for them: one iteration is the whole range, computing every year's list once.
void HolidayNamesOfEveryDay(benchmark::State& state) {
    BenchHost host(definitionsFolder());
    SetEngineHost(&host);
    St_LoadDefinitions();
    std::int64_t days = 0;
    std::int64_t holidays = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        CachedYear = 0;    // start without a held year, as after loading
        for (int y = 1; y <= 9999; ++y) {
            const auto year = static_cast<std::int16_t>(y);
            for (std::int16_t month = 1; month <= 12; ++month) {
                const std::int16_t length = St_DaysInMonth(year, month);
                for (std::int16_t day = 1; day <= length; ++day) {
                    std::string name = St_HolidayName(year, month, day);
                    holidays += name.empty() ? 0 : 1;
                    benchmark::DoNotOptimize(name);
                    ++days;
                }
            }
        }
    }
    state.SetItemsProcessed(days);
    state.counters["holidays"] =
        benchmark::Counter(static_cast<double>(holidays), benchmark::Counter::kAvgIterations);
    SetEngineHost(nullptr);
}
BENCHMARK(HolidayNamesOfEveryDay)->Unit(benchmark::kMillisecond);

// St_Days_to_YMD followed by St_YMD_to_Days for every serial of the supported range.
void SerialRoundTripOverTheWholeRange(benchmark::State& state) {
    std::int64_t count = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        for (std::int32_t serial = 1; serial <= MaxSerialDay; ++serial) {
            std::string text = St_Days_to_YMD(serial);
            std::int32_t back = St_YMD_to_Days(text);
            benchmark::DoNotOptimize(back);
            if (back != serial) {
                state.SkipWithError("round trip failed");
                return;
            }
        }
        count += MaxSerialDay;
    }
    state.SetItemsProcessed(count);
    state.counters["per_round_trip"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SerialRoundTripOverTheWholeRange)->Unit(benchmark::kMillisecond);

// 240 eras as a real table holds them: 235 older eras (one every five years from 645) and the
// five from 明治 on; `St_Era` for every day of 1868..2100.
std::vector<EraDef> eraTableOf240() {
    std::vector<EraDef> eras;
    eras.reserve(240);
    for (int k = 0; k < 235; ++k) {
        eras.push_back(
            EraDef{"古" + std::to_string(k), MakeDateText(645 + 5 * k, 1 + k % 12, 1 + k % 28)});
    }
    eras.push_back(EraDef{"明治", "18680125"});
    eras.push_back(EraDef{"大正", "19120730"});
    eras.push_back(EraDef{"昭和", "19261225"});
    eras.push_back(EraDef{"平成", "19890108"});
    eras.push_back(EraDef{"令和", "20190501"});
    return eras;
}

void runEraLookups(benchmark::State& state, const std::vector<std::string>& dates) {
    EraDefs = eraTableOf240();
    EraDefCount = static_cast<std::int16_t>(EraDefs.size());
    std::int64_t count = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        for (const std::string& date : dates) {
            St_Era(date);
            benchmark::DoNotOptimize(EraYearText);
        }
        count += static_cast<std::int64_t>(dates.size());
    }
    state.SetItemsProcessed(count);
    state.counters["per_lookup"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

std::vector<std::string> datesBetween(const char* first, const char* last) {
    std::vector<std::string> dates;
    for (std::int32_t s = St_YMD_to_Days(first); s <= St_YMD_to_Days(last); ++s) {
        dates.push_back(St_Days_to_YMD(s));
    }
    return dates;
}

void EraOfEveryDay1868To2100(benchmark::State& state) {
    runEraLookups(state, datesBetween("18680101", "21001231"));
}
BENCHMARK(EraOfEveryDay1868To2100)->Unit(benchmark::kMillisecond);

// The worst case of the backward scan: dates before the table's first era pass all 240.
void EraBeforeEveryEra(benchmark::State& state) {
    runEraLookups(state, datesBetween("06000101", "06441231"));
}
BENCHMARK(EraBeforeEveryEra)->Unit(benchmark::kMillisecond);

} // namespace

// Reading a definition file full of bytes that are not code page 932: 2 MB that start no
// character (0xFF), and 2 MB of well-shaped pairs that have no mapping (0x85 0x40), each becoming
// replacement characters. Both must stay linear in the input.
void Cp932ToUtf8OfTwoMegabytes(benchmark::State& state, const std::string& unit) {
    std::string bytes;
    while (bytes.size() < 2U * 1024U * 1024U) {
        bytes += unit;
    }
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        std::string text = Cp932ToUtf8(bytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
void Cp932ToUtf8OfTwoMegabytesOfInvalidBytes(benchmark::State& state) {
    Cp932ToUtf8OfTwoMegabytes(state, "\xFF");
}
BENCHMARK(Cp932ToUtf8OfTwoMegabytesOfInvalidBytes)->Unit(benchmark::kMillisecond);
void Cp932ToUtf8OfTwoMegabytesOfUnmappedPairs(benchmark::State& state) {
    Cp932ToUtf8OfTwoMegabytes(state, "\x85\x40");
}
BENCHMARK(Cp932ToUtf8OfTwoMegabytesOfUnmappedPairs)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
