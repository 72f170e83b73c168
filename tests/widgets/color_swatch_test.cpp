#include "platform/colors.h"
#include "tests/support/qt_printers.h"
#include "widgets/color_swatch.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QColor centre(QWidget& widget) {
    return widget.grab().toImage().pixelColor(widget.width() / 2, widget.height() / 2);
}

} // namespace

TEST(ColorSwatch, ShowsItsColourAndKeepsSystemReferences) {
    ColorSwatch swatch;
    swatch.resize(40, 20);
    QSignalSpy changed(&swatch, &ColorSwatch::colorChanged);
    swatch.setColor(0x0000FF);
    swatch.setColor(0x0000FF);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(centre(swatch), QColor(255, 0, 0));

    swatch.setColor(SystemColor(ColorBtnFace));
    EXPECT_EQ(swatch.color(), static_cast<std::int32_t>(0x8000000F));
    QPalette palette = swatch.palette();
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    swatch.setPalette(palette);
    EXPECT_EQ(centre(swatch), QColor(10, 20, 30));
}

TEST(ColorSwatch, AClickIsAPressAndAReleaseOnTheSwatch) {
    QWidget window;
    auto* swatch = new ColorSwatch(&window);
    swatch->setGeometry(10, 10, 40, 20);
    window.show();
    QSignalSpy clicked(swatch, &ColorSwatch::clicked);
    QTest::mouseClick(swatch, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(swatch, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1);
    // Released outside: no click.
    QTest::mousePress(swatch, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(swatch, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_EQ(clicked.count(), 1);
}
