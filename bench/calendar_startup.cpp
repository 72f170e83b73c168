// Start-up probe for whole-process timings (bench/startup.sh):
//   calendar_startup calendar [stay]   starts the calendar as Zelvar does
//   calendar_startup empty [stay]      shows an empty Qt Widgets window instead
// Without "stay" the process ends as soon as the window has been painted for the first time, so
// that the time of the whole process is the time from start until the first paint.

#include "calendar/application_setup.h"
#include "calendar/calendar_window.h"
#include "calendar/start_calendar.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

// Ends the event loop once the watched window has painted.
class FirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool calendar = argc > 1 && std::strcmp(argv[1], "calendar") == 0;
    const bool stay = argc > 2 && std::strcmp(argv[2], "stay") == 0;
    FirstPaint firstPaint;
    QWidget empty;
    QWidget* window = &empty;
    if (calendar) {
        SetUpCalendarApplication();
        StartCalendar();
        window = CurrentCalendar.data();
        if (window == nullptr) {
            return 1;
        }
    } else {
        empty.resize(194, 222);
        empty.show();
    }
    if (!stay) {
        window->installEventFilter(&firstPaint);
    }
    return QApplication::exec();
}
