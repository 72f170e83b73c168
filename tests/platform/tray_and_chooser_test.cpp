#include "platform/color_chooser.h"
#include "platform/colors.h"
#include "platform/platform_id.h"
#include "platform/system_metrics.h"
#include "platform/tray_icon.h"
#include "tests/support/qt_printers.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next colour dialog: records the colour it opened with and the first custom colour,
// then picks `pick` and confirms, or cancels when `pick` is invalid.
struct DialogAnswer {
    QColor pick;
    QColor opened;
    QColor firstCustom;
    void arm() {
        QTimer::singleShot(0, [this]() {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened = dialog->currentColor();
            firstCustom = QColorDialog::customColor(0);
            if (pick.isValid()) {
                dialog->setCurrentColor(pick);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
    }
};

} // namespace

TEST(ColorChooser, PassesTheInitialColourAndAnswersTheChoiceOrCancel) {
    ColorChooser chooser;
    QColorDialog::setCustomColor(0, QColor(9, 9, 9)); // left over from elsewhere
    DialogAnswer answer{QColor(0x12, 0x34, 0x56), {}, {}};
    answer.arm();
    EXPECT_EQ(chooser.choose(nullptr, 0x0000FF), 0x563412);
    EXPECT_EQ(answer.opened, QColor(255, 0, 0));
    EXPECT_EQ(answer.firstCustom, QColor(0, 0, 0)); // custom colours start black

    DialogAnswer cancel{QColor(), {}, {}};
    cancel.arm();
    EXPECT_EQ(chooser.choose(nullptr, SystemColor(ColorBtnFace)), -1);
    EXPECT_EQ(cancel.opened, ResolveColor(SystemColor(ColorBtnFace)));
}

TEST(TrayIcon, WithoutANotificationAreaAnAddIsNotReadyYet) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    TrayIcon tray;
    EXPECT_EQ(tray.call(TrayRequest::Add, "Zelvar", QIcon()), TrayAnswer::NotReadyYet);
    EXPECT_EQ(tray.call(TrayRequest::Modify, "Zelvar", QIcon()), TrayAnswer::Failed);
    EXPECT_EQ(tray.call(TrayRequest::Delete, "", QIcon()), TrayAnswer::Failed);
    EXPECT_FALSE(tray.isShown());
}

TEST(TrayIcon, TheTipIsCutTo63BytesOfTheCodePage) {
    EXPECT_EQ(TrayTipText("Zelvar"), "Zelvar");
    EXPECT_EQ(TrayTipText(QString(70, u'x')).size(), 63);
    EXPECT_EQ(TrayTipText(QString(40, u'あ')).size(), 31); // two bytes each
    EXPECT_EQ(TrayTipText("x" + QString(40, u'あ')).size(), 32);
}

TEST(SystemMetrics, TheScreenComesFromQtAndTwipsAreFifteenPerPixel) {
    SystemMetrics metrics;
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(metrics.metric(Metric::CxVirtualScreen), screen->virtualGeometry().width());
    EXPECT_EQ(metrics.metric(Metric::YVirtualScreen), screen->virtualGeometry().y());
    EXPECT_EQ(metrics.screenWidthTwips(), screen->geometry().width() * 15);
    EXPECT_EQ(metrics.screenHeightTwips(), screen->geometry().height() * 15);
    EXPECT_GT(metrics.metric(Metric::CyCaption), 0);
    EXPECT_GT(metrics.metric(Metric::CyMenu), 0);
    // The offscreen platform cannot shape windows.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        EXPECT_EQ(PlatformId().platformId(), 1);
    }
}
