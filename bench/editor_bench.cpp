// Benchmarks of the holiday list: the listing text of the years 1 to 9999 from the shipped
// definition files, and the whole "出力(&G)" of the real window on the offscreen platform, which
// also puts the text into its box.

#include "date/definitions.h"
#include "editor/holiday_list_window.h"
#include "editor/holiday_listing.h"
#include "editor/listing_box.h"
#include "window_bench.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<PlatformDoubles> doubles;

void installShippedFiles() {
    if (doubles) {
        return;
    }
    doubles = DoublesWithShippedFiles();
}

// The text alone: 9999 years resolved, sorted and formatted.
void BM_ListingText1To9999(benchmark::State& state) {
    installShippedFiles();
    St_LoadDefinitions();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = HolidayListing(1, 9999);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ListingText1To9999)->Unit(benchmark::kMillisecond);

// What the user waits for after pressing "出力(&G)" with the period 1 to 9999 in a window just
// opened (its box still empty).
void BM_OutputButton1To9999(benchmark::State& state) {
    installShippedFiles();
    double lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<HolidayListWindow>();
        window->show();
        window->findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(QStringLiteral("1"));
        window->findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(QStringLiteral("9999"));
        auto* output = window->findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* listing = window->findChild<ListingBox*>(QStringLiteral("Text2"));
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::mouseClick(output, Qt::LeftButton);
        QApplication::processEvents(); // the box lays out and paints its first screen
        state.PauseTiming();
        lines = listing->document()->blockCount() - 1;
        if (!listing->toPlainText().startsWith(QStringLiteral("1948/"))) {
            state.SkipWithError("the listing does not start in 1948");
        }
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_OutputButton1To9999)->Unit(benchmark::kMillisecond);

// The box alone taking the finished text of 1 to 9999.
void BM_ListingBoxTakesText1To9999(benchmark::State& state) {
    installShippedFiles();
    St_LoadDefinitions();
    const QString text = QString::fromStdString(HolidayListing(1, 9999));
    ListingBox box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.show();
    for (auto _ : state) {
        box.setPlainText(text);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ListingBoxTakesText1To9999)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv, [] { doubles.reset(); });
}
