// Benchmarks of the 暦: one year computed from nothing (the Sun's and the Moon's events found
// anew), and the 暦 of a day once its year is kept.

#include "date/serial.h"
#include "koyomi/koyomi.h"

#include <benchmark/benchmark.h>

namespace {

// A year not computed before: both 冬至-to-冬至 spans it touches, its terms and 雑節, every day.
void BM_KoyomiYearFromNothing(benchmark::State& state) {
    int year = 1900;
    for (auto _ : state) {
        state.PauseTiming();
        ForgetKoyomi();
        state.ResumeTiming();
        benchmark::DoNotOptimize(KoyomiOfYear(year));
        year = year == 2100 ? 1900 : year + 1;
    }
}
BENCHMARK(BM_KoyomiYearFromNothing)->Unit(benchmark::kMillisecond);

// The next year after the one before it: what paging through the years or `korin koyomi` over
// many years costs for each (the events on their boundary are shared).
void BM_KoyomiNextYear(benchmark::State& state) {
    ForgetKoyomi();
    int year = 1900;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KoyomiOfYear(year));
        if (++year > 2199) {
            state.PauseTiming();
            ForgetKoyomi();
            year = 1900;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KoyomiNextYear)->Unit(benchmark::kMillisecond);

// 42 days' 暦 of a kept year: what a month fill asks for.
void BM_KoyomiOf42DaysOfAKeptYear(benchmark::State& state) {
    const std::int32_t first = St_YMD_to_Days("20241101") - 5;
    KoyomiOfYear(2024);
    for (auto _ : state) {
        for (std::int32_t day = first; day < first + 42; ++day) {
            benchmark::DoNotOptimize(KoyomiOfDay(day));
        }
    }
}
BENCHMARK(BM_KoyomiOf42DaysOfAKeptYear)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
