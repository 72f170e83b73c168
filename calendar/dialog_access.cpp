#include "calendar/dialog_access.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/layout.h"
#include "calendar/month_stepping.h"
#include "calendar/shown_month.h"
#include "calendar/start_calendar.h"
#include "calendar/window_commands.h"
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
        return CurrentCalendar != nullptr ? CurrentCalendar->shownMonth->value().year : 0;
    }

    void setYearValue(int year) override {
        if (CurrentCalendar != nullptr) {
            ShowMonth(*CurrentCalendar, {year, CurrentCalendar->shownMonth->value().month});
        }
    }

    [[nodiscard]] QString yearText() const override {
        return CurrentCalendar != nullptr ? CurrentCalendar->yearBox->text() : QString();
    }

    [[nodiscard]] QString monthText() const override {
        return CurrentCalendar != nullptr ? CurrentCalendar->monthBox->text() : QString();
    }

    [[nodiscard]] OptionValues options() const override { return CalendarOptions().current; }

    void setOptions(const OptionValues& values) override { CalendarOptions().current = values; }

    [[nodiscard]] QSize measureFrame(int borderStyle, int menuState) const override {
        const FrameSize frame = MeasureFrame(borderStyle, menuState);
        return {frame.width, frame.height};
    }

    void closeCalendar() override {
        if (CurrentCalendar != nullptr) {
            CurrentCalendar->close();
        } else {
            // The calendar was closed while the dialog stayed open: nothing else saves the
            // confirmed options before the new window reads them back.
            SaveOptions();
        }
    }

    void startCalendar() override { StartCalendar(); }
};

} // namespace

CalendarAccess& CalendarForDialogs() {
    static CurrentCalendarAccess access;
    return access;
}
