#pragma once

// A calendar for the dialogs to work on without a calendar window: it holds the values the
// dialogs read and records what they change. Frames are measured by the calendar's own rule.

#include "calendar/layout.h"
#include "date/definitions.h"
#include "dialogs/calendar_access.h"
#include "dialogs/options_dialog.h"

#include <QRect>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

class FakeCalendar final : public CalendarAccess {
public:
    [[nodiscard]] QWidget* window() const override { return open ? windowWidget : nullptr; }
    [[nodiscard]] QRect frameTwips() const override { return frame; }
    [[nodiscard]] int yearValue() const override { return year; }
    void setYearValue(int value) override {
        year = value;
        yearSets.push_back(value);
    }
    [[nodiscard]] QString yearText() const override { return yearBox; }
    [[nodiscard]] QString monthText() const override { return monthBox; }
    [[nodiscard]] OptionValues options() const override { return values; }
    void setOptions(const OptionValues& v) override {
        values = v;
        events.emplace_back("setOptions");
    }
    [[nodiscard]] QSize measureFrame(int borderStyle, int menuState) const override {
        const FrameSize f = MeasureFrame(borderStyle, menuState);
        return {f.width, f.height};
    }
    void closeCalendar() override { events.emplace_back("close"); }
    void startCalendar() override { events.emplace_back("start"); }

    QWidget* windowWidget = nullptr;
    bool open = true;
    QRect frame{1500, 3000, 2910, 3330}; // twips: 100, 200 px; 194 × 222 px
    int year = 2024;
    std::vector<int> yearSets;
    QString yearBox = QStringLiteral("2024");
    QString monthBox = QStringLiteral("3");
    OptionValues values = DefaultOptionValues();
    std::vector<std::string> events;
};

// Installs an era table for the lifetime of the object.
class EraTable {
public:
    explicit EraTable(std::vector<EraDef> eras) {
        EraDefs = std::move(eras);
        EraDefCount = static_cast<std::int16_t>(EraDefs.size());
    }
    ~EraTable() {
        EraDefs.clear();
        EraDefCount = 0;
    }
    EraTable(const EraTable&) = delete;
    EraTable& operator=(const EraTable&) = delete;

    // The modern eras, oldest first.
    static std::vector<EraDef> modern() {
        return {{"明治", "18681023"},
                {"大正", "19120730"},
                {"昭和", "19261225"},
                {"平成", "19890108"},
                {"令和", "20190501"}};
    }
};
