// Benchmarks of the calendar window: filling one month, and paging through ten years with the
// Down key in the month box. Runs the real window on the offscreen platform over the shipped
// definition files.

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/month_view.h"
#include "calendar/shown_month.h"
#include "calendar/start_calendar.h"
#include "window_bench.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<PlatformDoubles> doubles;

CalendarWindow& calendar() {
    if (CurrentCalendar == nullptr) {
        doubles = DoublesWithShippedFiles();
        StartCalendar();
    }
    return *CurrentCalendar;
}

// Sets the shown month without its change handling, so only FillMonth is measured.
void setMonth(CalendarWindow& w, int year, int month) {
    const QSignalBlocker blocker(w.shownMonth);
    w.shownMonth->set({year, month});
}

// One month, its year's holidays already resolved.
void BM_FillMonth(benchmark::State& state) {
    CalendarWindow& w = calendar();
    setMonth(w, 2024, 11);
    for (auto _ : state) {
        FillMonth(w);
    }
}
BENCHMARK(BM_FillMonth)->Unit(benchmark::kMicrosecond);

// One month with "暦を表示" on, its year's 暦 already computed: every cell's tool tip and
// screen-reader name carry the day's 暦.
void BM_FillMonthWithKoyomi(benchmark::State& state) {
    CalendarWindow& w = calendar();
    CalendarOptions().current.ShowKoyomi = 1;
    setMonth(w, 2024, 11);
    FillMonth(w);
    for (auto _ : state) {
        FillMonth(w);
    }
    CalendarOptions().current.ShowKoyomi = 0;
}
BENCHMARK(BM_FillMonthWithKoyomi)->Unit(benchmark::kMicrosecond);

// One month of a year not seen before: the year's holidays are resolved first.
void BM_FillMonthOfANewYear(benchmark::State& state) {
    CalendarWindow& w = calendar();
    int year = 1950;
    for (auto _ : state) {
        setMonth(w, year, 5);
        FillMonth(w);
        year = year == 2100 ? 1950 : year + 1;
    }
}
BENCHMARK(BM_FillMonthOfANewYear)->Unit(benchmark::kMicrosecond);

// 120 presses of Down in the month box: ten years forward, every step filling the month.
void BM_Page120MonthsWithDown(benchmark::State& state) {
    CalendarWindow& w = calendar();
    for (auto _ : state) {
        state.PauseTiming();
        w.yearScrollBar->setValue(2000);
        w.monthScrollBar->setValue(1);
        state.ResumeTiming();
        for (int i = 0; i < 120; ++i) {
            QTest::keyClick(w.monthBox, Qt::Key_Down);
        }
    }
    if (w.yearBox->text() != QStringLiteral("2010")) {
        state.SkipWithError("paging did not reach January 2010");
    }
}
BENCHMARK(BM_Page120MonthsWithDown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] {
        delete CurrentCalendar.data();
        doubles.reset();
    });
}
