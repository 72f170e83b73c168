#include "platform/colors.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

TEST(Colors, PlainValuesAreBlueGreenRed) {
    EXPECT_EQ(ResolveColor(0xFF0000), QColor(0, 0, 255)); // blue: Saturday
    EXPECT_EQ(ResolveColor(0x0000FF), QColor(255, 0, 0)); // red: Sunday
    EXPECT_EQ(ResolveColor(0x00FFFF), QColor(255, 255, 0));
    EXPECT_EQ(ResolveColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ResolveColor(0x01123456), QColor(0x56, 0x34, 0x12)); // top byte ignored
    EXPECT_EQ(ColorValue(QColor(0x56, 0x34, 0x12)), 0x123456);
    EXPECT_EQ(ColorValue(QColor(0, 255, 255)), 0xFFFF00); // the transparency key
    EXPECT_EQ(ColorValue(QColor::fromHsv(0, 255, 255)), 0x0000FF);
}

TEST(Colors, SystemColoursFollowTheApplicationPalette) {
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::ButtonText, QColor(7, 8, 9));
    palette.setColor(QPalette::Shadow, QColor(10, 11, 12));
    palette.setColor(QPalette::WindowText, QColor(13, 14, 15));
    QApplication::setPalette(palette);

    EXPECT_EQ(SystemColor(ColorBtnFace), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(ResolveColor(SystemColor(ColorBtnFace)), QColor(1, 2, 3));
    EXPECT_EQ(ResolveColor(static_cast<std::int32_t>(0x80000005)), QColor(4, 5, 6));
    EXPECT_EQ(ResolveColor(static_cast<std::int32_t>(0x80000012)), QColor(7, 8, 9));
    EXPECT_EQ(ResolveColor(static_cast<std::int32_t>(0x80000015)), QColor(10, 11, 12));
    EXPECT_EQ(ResolveColor(SystemColor(ColorWindowText)), QColor(13, 14, 15));
    // No palette role for the active caption: the classic default.
    EXPECT_FALSE(SystemColorRole(2));
    EXPECT_EQ(ResolveColor(SystemColor(2)), QColor(10, 36, 106));
    // Beyond the last system colour: black.
    EXPECT_EQ(ResolveColor(SystemColor(31)), QColor(0, 0, 0));
    EXPECT_EQ(ResolveColor(-1), QColor(0, 0, 0));
    QApplication::setPalette(saved);

    // Every index resolves to an opaque colour.
    for (int index = 0; index <= LastSystemColor; ++index) {
        EXPECT_TRUE(ResolveColor(SystemColor(index)).isValid()) << index;
    }
}
