// The calendar with a see-through background: what it shows after every change, and how it
// compares with the opaque calendar.

#include "calendar_fixture.h"
#include "platform/colors.h"
#include "platform/window_styles.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

const QColor Key(0, 255, 255);

// The central part of the window (the calendar panel and the clock strip, without the menu bar)
// as it is drawn now.
QImage drawnNow(CalendarWindow& w) {
    QWidget* client = w.centralWidget();
    QImage image(client->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    client->render(&image, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

// Every pixel that differs, as "x,y: drawn / expected", at most `limit` of them.
QString differences(const QImage& drawn, const QImage& expected, const QRegion& within,
                    int limit = 8) {
    QStringList found;
    for (const QRect& rect : within) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (drawn.pixel(x, y) != expected.pixel(x, y) && found.size() < limit) {
                    found << QStringLiteral("%1,%2: %3 / %4")
                                 .arg(x)
                                 .arg(y)
                                 .arg(QColor(drawn.pixel(x, y)).name(),
                                      QColor(expected.pixel(x, y)).name());
                }
            }
        }
    }
    return found.join(QStringLiteral("; "));
}

} // namespace

class TransparentWindowTest : public CalendarTest {
protected:
    // The real colour key (a shape mask on this platform) in place of the recording double.
    void SetUp() override {
        CalendarTest::SetUp();
        Services().windowStyles = &styles;
    }

    // What the window system shows of the window: the painted window within its mask.
    static QImage onScreen(const CalendarWindow& w) {
        return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The whole window, rendered afresh.
    static QImage renderedAfresh(CalendarWindow& w) {
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Key);
        w.render(&image, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
        return image;
    }

    // Once the window has repainted: the mask leaves exactly the pixels not in the key colour,
    // and within it the window shows what it draws now.
    static void expectShownWhole(CalendarWindow& w, const char* after) {
        QImage expected;
        QRegion visible;
        auto settled = [&] {
            QCoreApplication::processEvents();
            expected = renderedAfresh(w);
            visible = ColorKeyMask::visibleRegion(expected, Key);
            return w.mask() == visible && onScreen(w).size() == w.size() &&
                   differences(onScreen(w), expected, visible, 1).isEmpty();
        };
        const bool ok = QTest::qWaitFor(settled, 10000);
        EXPECT_TRUE(ok) << "after " << after << ": the mask "
                        << (w.mask() == visible ? "is right" : "is not the picture's") << "; "
                        << differences(onScreen(w), expected, visible).toStdString();
    }

    WindowStyles styles;
};

TEST_F(TransparentWindowTest, EveryChangeShowsWholeAndNoTraceOfWhatWasBefore) {
    writeIni("[Option]\r\nTransparent=1\r\nShowClock=1\r\n");
    CalendarWindow& w = start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    expectShownWhole(w, "start");
    for (int step = 0; step < 3; ++step) {
        w.monthScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        expectShownWhole(w, "a month on");
    }
    w.yearScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expectShownWhole(w, "a year on");
    // Back to this month: today's cell is marked in its colour again.
    w.thisMonthCommand->trigger();
    expectShownWhole(w, "this month");
    for (const int minute : {31, 32, 47}) {
        doubles.clock.time = QDateTime(QDate(2024, 11, 15), QTime(9, minute));
        QMetaObject::invokeMethod(w.clockTimer, "timeout", Qt::DirectConnection);
        expectShownWhole(w, "a new minute");
    }
}

TEST_F(TransparentWindowTest, LooksLikeTheOpaqueCalendarWithoutItsBackground) {
    const OptionValues defaults;
    const QRgb background = ResolveColor(defaults.Color[ColorSlot::Background]).rgb();
    const QRgb boxBackground = ResolveColor(defaults.Color[ColorSlot::EntryBoxes]).rgb();
    for (const char* look : {"Appearance=1", "Appearance=0"}) {
        const QByteArray options = QByteArray("[Option]\r\nShowClock=1\r\n") + look + "\r\n";
        writeIni(options);
        CalendarWindow& opaqueWindow = start();
        // The see-through calendar draws its text unsmoothed; so does the opaque one here.
        for (QWidget* control : opaqueWindow.findChildren<QWidget*>()) {
            QFont font = control->font();
            font.setStyleStrategy(QFont::NoAntialias);
            control->setFont(font);
        }
        const QImage opaque = drawnNow(opaqueWindow);
        auto placeOf = [&opaqueWindow](const QWidget* control) {
            return QRect(control->mapTo(opaqueWindow.centralWidget(), QPoint()), control->size());
        };
        const QRegion boxes =
            QRegion(placeOf(opaqueWindow.yearBox)) + placeOf(opaqueWindow.monthBox);
        const QRegion bars =
            QRegion(placeOf(opaqueWindow.yearScrollBar)) + placeOf(opaqueWindow.monthScrollBar);
        closeCalendar();

        writeIni(options + "Transparent=1\r\n");
        const QImage keyed = drawnNow(start());
        closeCalendar();
        ASSERT_EQ(keyed.size(), opaque.size());

        // The opaque calendar without its background: the window's colour, and inside the boxes
        // theirs, are the key colour; the scroll bars are controls of the desktop, whole.
        QImage expected = opaque;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb drawn = opaque.pixel(x, y);
                const bool onBackground =
                    drawn == background || (drawn == boxBackground && boxes.contains(QPoint(x, y)));
                if (onBackground && !bars.contains(QPoint(x, y))) {
                    expected.setPixel(x, y, Key.rgb());
                }
            }
        }
        const QString wrong = differences(keyed, expected, QRegion(keyed.rect()));
        EXPECT_TRUE(wrong.isEmpty()) << look << ": " << wrong.toStdString();
    }
}
