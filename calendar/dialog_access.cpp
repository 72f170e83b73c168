#include "calendar/dialog_access.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/layout.h"
#include "calendar/start_calendar.h"
#include "dialogs/calendar_access.h"
#include "platform/services.h"
#include "platform/system_metrics.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

class CurrentCalendarAccess final : public CalendarAccess {
public:
    [[nodiscard]] QWidget* window() const override { return CurrentCalendar.data(); }

    [[nodiscard]] QRect frameTwips() const override {
        if (CurrentCalendar == nullptr) {
            return {};
        }
        const SystemMetricsService& m = *Services().metrics;
        return {CurrentCalendar->x() * m.twipsPerPixelX(),
                CurrentCalendar->y() * m.twipsPerPixelY(), CurrentCalendar->windowWidth,
                CurrentCalendar->windowHeight};
    }

    [[nodiscard]] int yearValue() const override {
        return CurrentCalendar != nullptr ? CurrentCalendar->VScroll1[0]->value() : 0;
    }

    void setYearValue(int year) override {
        if (CurrentCalendar != nullptr) {
            CurrentCalendar->VScroll1[0]->setValue(year);
        }
    }

    [[nodiscard]] QString yearText() const override {
        return CurrentCalendar != nullptr ? CurrentCalendar->Text1[0]->text() : QString();
    }

    [[nodiscard]] QString monthText() const override {
        return CurrentCalendar != nullptr ? CurrentCalendar->Text1[1]->text() : QString();
    }

    [[nodiscard]] OptionValues options() const override {
        const CalendarSettings& s = CalendarOptions();
        OptionValues v;
        v.ShowMenu = s.ShowMenu.current;
        v.TaskTray = s.TaskTray.current;
        v.Appearance = s.Appearance.current;
        v.MainWidth = s.MainWidth.current;
        v.MainHeight = s.MainHeight.current;
        v.Transparent = s.Transparent.current;
        for (std::size_t i = 0; i < v.Color.size(); ++i) {
            v.Color[i] = s.Color[i].current;
        }
        v.ShowClock = s.ShowClock.current;
        v.C_Height = s.C_Height.current;
        for (std::size_t i = 0; i < v.CL_Color.size(); ++i) {
            v.CL_Color[i] = s.CL_Color[i].current;
        }
        const FontRecord& f = s.ClockFont;
        v.clockFont = {f.Name, f.Size, f.Bold, f.Italic, f.Underline, f.Strikethrough};
        return v;
    }

    void setOptions(const OptionValues& v) override {
        CalendarSettings& s = CalendarOptions();
        s.ShowMenu.current = v.ShowMenu;
        s.TaskTray.current = v.TaskTray;
        s.Appearance.current = v.Appearance;
        s.MainWidth.current = v.MainWidth;
        s.MainHeight.current = v.MainHeight;
        s.Transparent.current = v.Transparent;
        for (std::size_t i = 0; i < v.Color.size(); ++i) {
            s.Color[i].current = v.Color[i];
        }
        s.ShowClock.current = v.ShowClock;
        s.C_Height.current = v.C_Height;
        for (std::size_t i = 0; i < v.CL_Color.size(); ++i) {
            s.CL_Color[i].current = v.CL_Color[i];
        }
        FontRecord& f = s.ClockFont;
        f.Name = v.clockFont.name;
        f.Size = v.clockFont.size;
        f.Bold = v.clockFont.bold;
        f.Italic = v.clockFont.italic;
        f.Underline = v.clockFont.underline;
        f.Strikethrough = v.clockFont.strikethrough;
    }

    [[nodiscard]] QSize measureFrame(int borderStyle, int menuState) const override {
        const FrameSize frame = MeasureFrame(borderStyle, menuState);
        return {frame.width, frame.height};
    }

    void closeCalendar() override {
        if (CurrentCalendar != nullptr) {
            CurrentCalendar->close();
        }
    }

    void startCalendar() override { StartCalendar(); }
};

} // namespace

CalendarAccess& CalendarForDialogs() {
    static CurrentCalendarAccess access;
    return access;
}
