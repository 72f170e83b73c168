// The program icon: every size compiled in, the drawing recognisable at the smallest size, and
// the committed PNGs still what the SVG drawings render to.

#include "resources/zelvar_icon.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const QString iconFolder = QStringLiteral(ZELVAR_SOURCE_DIR "/resources/icons");

QString committedPng(int size) {
    return iconFolder + QStringLiteral("/hicolor/%1x%1/apps/zelvar.png").arg(size);
}

// The largest difference of one colour channel (alpha included) over two images of one size.
int largestChannelDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
    const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int k = 0; k < x.width() * 4; ++k) {
            largest = std::max(largest, std::abs(int(p[k]) - int(q[k])));
        }
    }
    return largest;
}

TEST(ProgramIcon, CarriesEverySizeTheDesktopAndTheNotificationAreaAskFor) {
    const QList<QSize> expected = {QSize(16, 16), QSize(22, 22), QSize(24, 24),   QSize(32, 32),
                                   QSize(48, 48), QSize(64, 64), QSize(128, 128), QSize(256, 256)};
    EXPECT_EQ(ZelvarIconSizes(), expected);
    const QIcon icon = ZelvarIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), expected);
    for (const QSize& size : expected) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        // Each size is its own picture, not one scaled from another size: the committed file of
        // that size, up to the rounding of premultiplied alpha.
        EXPECT_LE(largestChannelDifference(image, QImage(committedPng(size.width()))), 2)
            << size.width();
    }
}

TEST(ProgramIcon, SmallestSizeShowsACalendarPage) {
    const QImage image = ZelvarIcon().pixmap(QSize(16, 16)).toImage();
    ASSERT_EQ(image.size(), QSize(16, 16));
    // Transparent above the page beside the rings, a red binding strip, a white sheet, a dark
    // frame, a yellow today mark.
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    const QColor strip = image.pixelColor(7, 4);
    EXPECT_GT(strip.red(), 180);
    EXPECT_LT(strip.green(), 80);
    EXPECT_EQ(image.pixelColor(7, 14), QColor(Qt::white));
    EXPECT_LT(image.pixelColor(0, 9).lightness(), 80);
    const QColor today = image.pixelColor(6, 11);
    EXPECT_GT(today.red(), 200);
    EXPECT_GT(today.green(), 180);
    EXPECT_LT(today.blue(), 80);
}

TEST(ProgramIcon, CommittedPngsAreWhatTheDrawingsRenderTo) {
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (renderer.isEmpty()) {
        GTEST_SKIP() << "rsvg-convert is not installed (sh scripts/setup.sh installs it)";
    }
    TempFolder scratch;
    for (const QSize& size : ZelvarIconSizes()) {
        const int side = size.width();
        const QString drawing = iconFolder + (side <= 24 ? QStringLiteral("/zelvar-small.svg")
                                                         : QStringLiteral("/zelvar.svg"));
        const QString rendered =
            QString::fromStdString(scratch.str()) + QStringLiteral("/%1.png").arg(side);
        const int status = QProcess::execute(
            renderer, {QStringLiteral("--width"), QString::number(side), QStringLiteral("--height"),
                       QString::number(side), QStringLiteral("--format"), QStringLiteral("png"),
                       drawing, QStringLiteral("--output"), rendered});
        ASSERT_EQ(status, 0) << side;
        const QImage fresh(rendered);
        const QImage committed(committedPng(side));
        ASSERT_EQ(committed.size(), size) << side;
        ASSERT_EQ(fresh.size(), size) << side;
        // Another renderer version may round the anti-aliased edges a little differently; a
        // changed drawing moves whole shapes. Re-run resources/render-icons.sh after an edit.
        EXPECT_LE(largestChannelDifference(fresh, committed), 24) << side;
    }
}

} // namespace
