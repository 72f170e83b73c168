#include "platform/window_styles.h"
#include "tests/support/platform_doubles.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window painted in the key colour with a black square in its middle.
class KeyedWindow final : public QWidget {
public:
    KeyedWindow() { resize(60, 40); }
    bool black = true;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 255, 255));
        if (black) {
            painter.fillRect(QRect(20, 10, 10, 10), Qt::black);
        }
    }
};

void sendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
    const QPoint local = target->mapFromGlobal(global);
    QMouseEvent event(type, local, global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST(WindowStyles, TopmostKeepsThePositionAndTheVisibility) {
    WindowStyles styles;
    QWidget shown;
    shown.move(123, 77);
    shown.show();
    const QPoint where = shown.pos();
    styles.setTopmost(&shown, true);
    EXPECT_TRUE(styles.isTopmost(&shown));
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.pos(), where);
    styles.setTopmost(&shown, false);
    EXPECT_FALSE(styles.isTopmost(&shown));
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.pos(), where);

    QWidget hidden;
    styles.setTopmost(&hidden, true);
    EXPECT_TRUE(styles.isTopmost(&hidden));
    EXPECT_FALSE(hidden.isVisible()); // a hidden window stays hidden
}

TEST(WindowStyles, TheTaskbarButtonComesAndGoesAndTheAnswerSaysWhatWasBefore) {
    WindowStyles styles;
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    window.move(40, 50);
    window.show();
    EXPECT_FALSE(styles.hasTaskbarButton(&window));
    EXPECT_EQ(styles.setTaskbarButton(&window, -1), 0);
    EXPECT_TRUE(styles.hasTaskbarButton(&window));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint)); // other hints stay
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(40, 50));
    EXPECT_EQ(styles.setTaskbarButton(&window, 5), 1); // other modes leave it
    EXPECT_TRUE(styles.hasTaskbarButton(&window));
    EXPECT_EQ(styles.setTaskbarButton(&window, 0), 1);
    EXPECT_FALSE(styles.hasTaskbarButton(&window));

    // Closing the window still ends the program, with or without a taskbar button.
    QWidget calendar;
    ASSERT_TRUE(calendar.testAttribute(Qt::WA_QuitOnClose));
    styles.setTaskbarButton(&calendar, 0);
    EXPECT_FALSE(styles.hasTaskbarButton(&calendar));
    EXPECT_TRUE(calendar.testAttribute(Qt::WA_QuitOnClose));
    styles.setTaskbarButton(&calendar, -1);
    EXPECT_TRUE(calendar.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(styles.setTaskbarButton(nullptr, -1), -1);
}

TEST(WindowStyles, TheColourKeyMasksOutEveryKeyPixelAndFollowsRepaints) {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 255));
    image.setPixel(1, 0, qRgb(0, 0, 0));
    image.setPixel(3, 1, qRgb(0, 254, 255)); // near the key is not the key
    const QRegion visible = ColorKeyMask::visibleRegion(image, QColor(0, 255, 255));
    EXPECT_EQ(visible, QRegion(1, 0, 1, 1) + QRegion(3, 1, 1, 1));

    WindowStyles styles;
    KeyedWindow window;
    window.show();
    styles.setColorKey(&window, QColor(0, 255, 255));
    EXPECT_EQ(window.mask(), QRegion(20, 10, 10, 10));
    // Renewed after a repaint, the mask stays where the drawing is.
    window.update();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(window.mask(), QRegion(20, 10, 10, 10));

    // A repaint that removes the square leaves one pixel, never an empty (= unmasked) mask.
    window.black = false;
    window.update();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(window.mask(), QRegion(0, 0, 1, 1));

    styles.setColorKey(&window, std::nullopt);
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(WindowDragger, FollowsTheMouseWhereTheWindowSystemRefusesToMoveTheWindow) {
    PlatformDoubles doubles;
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(100, 80);
    window.move(200, 150);
    auto* label = new QLabel("x", &window);
    label->setGeometry(10, 10, 30, 20);
    window.show();
    auto* dragger = new WindowDragger(&window);
    dragger->watch(label);

    const QPoint start = label->mapToGlobal(QPoint(5, 5));
    sendMouse(label, QEvent::MouseButtonPress, start, Qt::LeftButton);
    sendMouse(label, QEvent::MouseMove, start + QPoint(30, 15), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(230, 165));
    sendMouse(label, QEvent::MouseMove, start + QPoint(-10, 5), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(190, 155));
    EXPECT_EQ(doubles.windowStyles.systemMoveCalls, 1);
    sendMouse(label, QEvent::MouseButtonRelease, start + QPoint(-10, 5), Qt::NoButton);
    // Moving without the button does not drag.
    sendMouse(&window, QEvent::MouseMove, start + QPoint(50, 50), Qt::NoButton);
    EXPECT_EQ(window.pos(), QPoint(190, 155));

    // Where the window system moves it, the dragger leaves it alone.
    doubles.windowStyles.systemMoveWorks = true;
    sendMouse(&window, QEvent::MouseButtonPress, start, Qt::LeftButton);
    sendMouse(&window, QEvent::MouseMove, start + QPoint(30, 30), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(190, 155));
    EXPECT_EQ(doubles.windowStyles.systemMoveCalls, 2);
}
