// Layout, menus, clock and the window commands of the calendar window.

#include "calendar/control_colours.h"
#include "calendar_fixture.h"
#include "date/eras.h"
#include "platform/colors.h"
#include "platform/window_styles.h"
#include "widgets/fitted_label.h"
#include "widgets/twips.h"

#include <QAction>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>

namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList list;
    for (const QAction* action : actions) {
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return list;
}

} // namespace

class WindowTest : public CalendarTest {
protected:
    int metric(Metric m) const { return doubles.metrics.metric(m); }
};

TEST_F(WindowTest, DefaultSizeIsMainWidthByMainHeightPlusTitleAndMenu) {
    CalendarWindow& w = start();
    const int titleAndMenu = metric(Metric::CyCaption) + 4 + metric(Metric::CyMenu);
    EXPECT_EQ(w.windowWidth, 194 * 15);
    EXPECT_EQ(w.windowHeight, (180 + titleAndMenu) * 15);
    // The panel is centred within the frame: (2910 − 2415 − frame) / 2 twips.
    const int frameWidth = 2 * metric(Metric::CxDlgFrame) * 15;
    EXPECT_EQ(w.panelLeft, (194 * 15 - 2415 - frameWidth) / 2);
    EXPECT_EQ(w.calendarPanel->width(), 162) << "the grid widens the panel to 2430 twips";
    EXPECT_TRUE(w.clockStrip->isHidden());
    // The Qt window is the client area: the outer size less the frame and caption.
    EXPECT_EQ(w.width(), 194 - 2 * metric(Metric::CxDlgFrame));
}

TEST_F(WindowTest, AWindowLargerThanTheScreenShowsTheCalendarInTheSizeItHas) {
    writeIni("[Option]\r\nMainWidth=100000\r\nMainHeight=100000\r\nShowClock=1\r\n");
    CalendarWindow& w = start();
    ASSERT_EQ(w.width(), 1024) << "as wide as the desktop";
    ASSERT_EQ(w.height(), 768);
    // The layout's size is the window's real one, frame and caption included.
    EXPECT_EQ(w.windowWidth, (1024 + 2 * metric(Metric::CxDlgFrame)) * 15);
    // The panel lies in the middle of the window, whole.
    const QRect panel(w.calendarPanel->mapTo(&w, QPoint(0, 0)), w.calendarPanel->size());
    EXPECT_TRUE(w.rect().contains(panel)) << panel.x() << "," << panel.y();
    EXPECT_LE(std::abs(panel.center().x() - w.rect().center().x()), 2 * metric(Metric::CxDlgFrame));
    // The clock strip spans the window below the panel, and the panel is on the screen.
    const QRect strip(w.clockStrip->mapTo(&w, QPoint(0, 0)), w.clockStrip->size());
    EXPECT_EQ(strip.top(), panel.bottom() + 1 - 5);
    EXPECT_EQ(strip.width(), TwipsToPixels(w.windowWidth));
    const QRect onScreen(w.calendarPanel->mapToGlobal(QPoint(0, 0)), w.calendarPanel->size());
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(onScreen)) << onScreen.x() << "," << onScreen.y();
}

TEST_F(WindowTest, Form5IsMainHeightHighAndTheClockStripAddsItsHeight) {
    writeIni("[Option]\r\nShowMenu=0\r\nShowClock=1\r\nC_Height=33\r\n");
    CalendarWindow& w = start();
    EXPECT_EQ(w.windowHeight, (180 + 33) * 15);
    EXPECT_EQ(w.height(), 180 + 33);
    ASSERT_FALSE(w.clockStrip->isHidden());
    // The strip overlaps the panel's bottom by 5 pixels.
    EXPECT_EQ(w.clockStrip->y(), w.calendarPanel->geometry().bottom() + 1 - 5);
    EXPECT_EQ(w.clockStrip->height(), 33);
    EXPECT_EQ(w.clockLabel->text(), QStringLiteral("09:30"));
    EXPECT_EQ(textColourOf(w.clockLabel), ResolveColor(SystemColor(ColorBtnText)));
    EXPECT_EQ(w.clockLine->lineColour(), ResolveColor(SystemColor(Color3dDkShadow)));
    EXPECT_FALSE(w.clockShadowLine->isHidden()) << "3D look shows the shadow line";
    EXPECT_EQ(w.clockShadowLine->y(), 1);
    // The clock label is centred in the strip.
    const int labelCentre = w.clockLabel->x() + w.clockLabel->width() / 2;
    EXPECT_NEAR(labelCentre, w.clockStrip->width() / 2.0, 2);
}

TEST_F(WindowTest, FlatLookHasNoCellBordersFlatBoxesAndNoShadowLine) {
    writeIni("[Option]\r\nAppearance=0\r\nShowClock=1\r\nColor2=255\r\n");
    CalendarWindow& w = start();
    EXPECT_EQ(w.dayCells[20]->frameStyle(), int(QFrame::NoFrame));
    EXPECT_TRUE(isBoxFlat(w.yearBox));
    EXPECT_TRUE(isBoxFlat(w.monthBox));
    EXPECT_TRUE(w.clockShadowLine->isHidden());
    // The flat boxes' inside is drawn in their own colour, beside the text.
    for (QLineEdit* box : w.entryBoxes()) {
        const QImage drawn = box->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() / 2).name().toStdString(),
                  "#ff0000")
            << box->objectName().toStdString();
    }
}

TEST_F(WindowTest, ThreeDLookCopiesTheCellBorderToEveryCell) {
    CalendarWindow& w = start();
    for (int i : {0, 7, 43}) {
        EXPECT_EQ(w.dayCells[i]->frameStyle(), int(QFrame::Panel | QFrame::Sunken)) << i;
        EXPECT_EQ(w.dayCells[i]->size(), QSize(21, 17)) << i;
    }
    EXPECT_FALSE(isBoxFlat(w.yearBox));
}

TEST_F(WindowTest, MenusOfBothWindowsHoldTheirCommandsInOrder) {
    CalendarWindow& f1 = start();
    EXPECT_EQ(captions(f1.menuBar()->actions()),
              QStringList({QStringLiteral("終了(&X)"), QStringLiteral("今月(&T)"),
                           QStringLiteral("ツール(&T)")}));
    EXPECT_EQ(captions(f1.toolMenu->actions()),
              QStringList({QStringLiteral("元号指定(&G)..."), QStringLiteral("日数計算(&C)..."),
                           QStringLiteral("-"), QStringLiteral("常に手前に表示(&A)"),
                           QStringLiteral("-"), QStringLiteral("オプション(&O)...")}));
    EXPECT_NE(f1.findChild<QAction*>(QStringLiteral("MNU_Pipe2")), nullptr);
    closeCalendar();

    writeIni("[Option]\r\nShowMenu=0\r\n");
    CalendarWindow& f5 = start();
    EXPECT_EQ(captions(f5.popupMenu->actions()),
              QStringList({QStringLiteral("最小化(&N)"), QStringLiteral("-"),
                           QStringLiteral("今月(&T)"), QStringLiteral("-"),
                           QStringLiteral("元号指定(&G)..."), QStringLiteral("日数計算(&C)..."),
                           QStringLiteral("-"), QStringLiteral("常に手前に表示(&A)"),
                           QStringLiteral("-"), QStringLiteral("オプション(&O)..."),
                           QStringLiteral("-"), QStringLiteral("終了(&X)")}));
    EXPECT_NE(f5.findChild<QAction*>(QStringLiteral("MNU_Pipe5")), nullptr);
}

TEST_F(WindowTest, ThisMonthCommandReturnsToTodaysMonth) {
    CalendarWindow& w = start();
    showMonth(w, 1999, 3);
    w.thisMonthCommand->trigger();
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2024"));
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11"));
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和 6年"));
}

TEST_F(WindowTest, AlwaysOnTopTogglesTheCheckMarkAndTheTopmostState) {
    CalendarWindow& w = start();
    const std::size_t before = doubles.windowStyles.topmostCalls.size();
    w.alwaysOnTopCommand->trigger();
    EXPECT_TRUE(w.alwaysOnTopCommand->isChecked());
    EXPECT_TRUE(doubles.windowStyles.isTopmost(&w));
    w.alwaysOnTopCommand->trigger();
    EXPECT_FALSE(w.alwaysOnTopCommand->isChecked());
    EXPECT_FALSE(doubles.windowStyles.isTopmost(&w));
    EXPECT_EQ(doubles.windowStyles.topmostCalls.size(), before + 2);
}

TEST_F(WindowTest, ClockTickShowsTheTimeAndMovesTheTodayMarkAfterMidnight) {
    CalendarWindow& w = start();
    doubles.clock.time = QDateTime(QDate(2024, 11, 15), QTime(23, 59, 0));
    const int fills = w.fillCount;
    QMetaObject::invokeMethod(w.clockTimer, "timeout", Qt::DirectConnection);
    EXPECT_EQ(w.clockLabel->text(), QStringLiteral("23:59"));
    EXPECT_EQ(w.fillCount, fills) << "no refill while the date stays";

    doubles.clock.time = QDateTime(QDate(2024, 11, 16), QTime(0, 0, 0));
    QMetaObject::invokeMethod(w.clockTimer, "timeout", Qt::DirectConnection);
    EXPECT_EQ(w.clockLabel->text(), QStringLiteral("00:00"));
    EXPECT_EQ(w.fillCount, fills + 1);
    EXPECT_EQ(backgroundOf(w.dayCells[27]), ResolveColor(0x00FFFF)) << "16 November is today";
    EXPECT_EQ(backgroundOf(w.dayCells[26]), backgroundOf(&w));
    EXPECT_EQ(w.monthBox->text(), QStringLiteral("11")) << "the month shown stays";
}

TEST_F(WindowTest, AMonthChangedWhileHiddenIsFilledWhenShown) {
    CalendarWindow& w = start();
    w.hide();
    const int fills = w.fillCount;
    showMonth(w, 2020, 2);
    EXPECT_EQ(w.fillCount, fills);
    EXPECT_EQ(w.yearBox->text(), QStringLiteral("2020"));
    w.show();
    EXPECT_EQ(w.fillCount, fills + 1);
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和 2年"));
}

TEST_F(WindowTest, ClosingAMinimizedWindowSavesThePositionFromBefore) {
    CalendarWindow& w = start();
    w.move(100, 50);
    w.showMinimized();
    closeCalendar();
    EXPECT_EQ(writtenKeys(), QStringList({QStringLiteral("MainForm/Left=1500"),
                                          QStringLiteral("MainForm/Top=750")}));
}

TEST_F(WindowTest, Form5OpensItsPopupMenuOnTheRightButtonAndDragsWithTheLeft) {
    writeIni("[Option]\r\nShowMenu=0\r\n");
    CalendarWindow& w = start();
    QTest::mouseClick(w.dayCells[20], Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(w.popupMenu->isVisible());
    w.popupMenu->hide();

    // The window system refuses (no window manager): the window follows the mouse.
    const QPoint start = w.pos();
    QWidget* label = w.eraLabel;
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 25), label->mapToGlobal(QPointF(30, 25)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    EXPECT_GE(doubles.windowStyles.systemMoveCalls, 1);
    EXPECT_EQ(w.pos(), start + QPoint(20, 15));
}

TEST_F(WindowTest, WithATransparentBackgroundTheMenuBarStaysOpaqueAndTakesClicks) {
    writeIni("[Option]\r\nTransparent=1\r\n");
    CalendarWindow& w = start();
    QWidget* bar = w.menuWidget();
    ASSERT_NE(bar, nullptr);
    // What the colour key leaves of the window as it is drawn: see-through pixels take no click.
    const QColor key(0, 255, 255);
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(key);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    const QRegion visible = ColorKeyMask::visibleRegion(image, key);
    const QRect barArea = bar->geometry();
    EXPECT_EQ(visible.intersected(barArea), QRegion(barArea)) << "every pixel of the menu bar";
    // Below it the background is still see-through.
    const QPoint panel = w.calendarPanel->mapTo(&w, QPoint(2, w.calendarPanel->height() - 2));
    EXPECT_FALSE(visible.contains(panel));
}

TEST_F(WindowTest, TheEraLabelShowsEveryEraYearWhole) {
    // The label stays in its laid-out place beside the year box; its text must fit it.
    auto fitsWhole = [](const QLabel* label) {
        const auto* fitted = qobject_cast<const FittedLabel*>(label);
        const QFont drawn = fitted != nullptr ? fitted->fittedFont() : label->font();
        return QFontMetrics(drawn).horizontalAdvance(label->text()) <=
               label->contentsRect().width();
    };
    CalendarWindow& w = start();
    const QFont design = w.eraLabel->font();
    // Reiwa runs to its 7981st year in 9999: the label of every year, as the month view writes it.
    showMonth(w, 9999, 12);
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和7981年"));
    EXPECT_TRUE(fitsWhole(w.eraLabel)) << w.eraLabel->text().toStdString();
    for (int year = 1989; year <= 9999; ++year) {
        St_Era(QStringLiteral("%1").arg(year * 10000 + 1299).toStdString());
        w.eraLabel->setText(QString::fromStdString(EraLabel(EraName, EraYearText)) +
                            QStringLiteral("年"));
        ASSERT_TRUE(fitsWhole(w.eraLabel)) << w.eraLabel->text().toStdString();
    }
    // A short label keeps its own font size.
    showMonth(w, 2025, 1);
    EXPECT_EQ(w.eraLabel->text(), QStringLiteral("令和 7年"));
    EXPECT_EQ(qobject_cast<const FittedLabel*>(w.eraLabel)->fittedFont(), design);
    // The longest era name the era editor takes, in a four-digit year.
    w.eraLabel->setText(QStringLiteral("八文字の元号名前9999年"));
    EXPECT_TRUE(fitsWhole(w.eraLabel));
}
