#include "dialogs/dialog_commands.h"
#include "dialogs/options_dialog.h"
#include "fake_calendar.h"
#include "platform/colors.h"
#include "platform/login_start.h"
#include "platform/services.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/qt_printers.h"
#include "tests/support/scoped_environment.h"
#include "widgets/color_swatch.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    // Clicks near the left edge, where a check box or option button has its indicator.
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }

    static void type(QLineEdit* box, const char* text) {
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }

    // Settings unlike the defaults in every value.
    static OptionValues unusual() {
        OptionValues v;
        v.ShowMenu = 1;
        v.TaskTray = 0;
        v.Appearance = 0;
        v.MainWidth = 200;
        v.MainHeight = 1234;
        v.Transparent = 0;
        v.Color = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606};
        v.ShowClock = 1;
        v.C_Height = 40;
        v.CL_Color = {0x111111, 0x222222, 0x333333};
        v.clockFont = {QStringLiteral("IPAGothic"), 10.5, 0, -1, 0, -1};
        return v;
    }

    [[nodiscard]] bool confirmed() const {
        return calendar.events == std::vector<std::string>({"setOptions", "close", "start"});
    }

    PlatformDoubles doubles;
    FakeCalendar calendar;
};

TEST_F(OptionsDialogTest, VersionLineRightAlignsTheMajorVersionInTwoPlaces) {
    EXPECT_EQ(VersionLine(1, 0), "Ver. 1.00");
    EXPECT_EQ(VersionLine(2, 11), "Ver. 2.11");
    EXPECT_EQ(VersionLine(12, 3), "Ver.12.03");
}

TEST_F(OptionsDialogTest, LoadsEverySettingAndShowsOnlyColoursInTheClockFrame) {
    calendar.values = unusual();
    OptionsDialog dialog(calendar);
    EXPECT_EQ(dialog.windowTitle(), "オプション");
    EXPECT_TRUE(dialog.titleAndMenuBox->isChecked());
    EXPECT_FALSE(dialog.trayIconBox->isChecked());
    EXPECT_TRUE(dialog.trayIconBox->isEnabled());
    EXPECT_TRUE(dialog.lookButtons[0]->isChecked());
    EXPECT_EQ(dialog.boundaryLabel->text(), "境界線の色");
    EXPECT_TRUE(dialog.swatches[7]->isHidden());
    EXPECT_EQ(dialog.sizeBoxes[0]->text(), "200");
    EXPECT_EQ(dialog.sizeBoxes[1]->text(), "1234"); // longer than can be typed, shown in full
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(dialog.swatches[i]->color(), calendar.values.Color[i]);
    }
    EXPECT_TRUE(dialog.clockBox->isChecked());
    EXPECT_FALSE(dialog.clockFrame->isHidden());
    EXPECT_EQ(dialog.swatches[6]->color(), 0x222222);
    EXPECT_EQ(dialog.swatches[7]->color(), 0x333333);
    ASSERT_NE(dialog.swatches[8], nullptr);
    EXPECT_EQ(dialog.swatches[8]->objectName(), "Picture1_8");
    EXPECT_EQ(dialog.swatches[8]->color(), 0x111111);

    // The clock frame: the text colour takes the place of the height box, the boundary colours
    // move up to the first row, and the frame, the buttons and the dialog lose 48 pixels.
    EXPECT_EQ(dialog.clockHeightLabel->text(), "文字の色");
    EXPECT_TRUE(dialog.sizeBoxes[2]->isHidden());
    EXPECT_TRUE(dialog.clockFontBox->isHidden());
    EXPECT_TRUE(dialog.fontLabel->isHidden());
    EXPECT_EQ(dialog.swatches[8]->geometry(), dialog.sizeBoxes[2]->geometry());
    EXPECT_EQ(dialog.swatches[6]->pos(),
              QPoint(dialog.clockFontBox->x(), dialog.sizeBoxes[2]->y()));
    EXPECT_EQ(dialog.boundaryLabel->pos(), dialog.fontLabel->pos());
    for (const QWidget* child : dialog.clockFrame->findChildren<QWidget*>()) {
        if (!child->isHidden()) {
            EXPECT_TRUE(dialog.clockFrame->rect().contains(child->geometry()))
                << child->objectName().toStdString();
        }
    }
    for (const QWidget* below : {static_cast<QWidget*>(dialog.confirmButtons[0]),
                                 static_cast<QWidget*>(dialog.versionLabel)}) {
        EXPECT_GT(below->y(), dialog.clockFrame->geometry().bottom());
        EXPECT_LE(below->geometry().bottom(), dialog.height());
    }
    EXPECT_EQ(dialog.clockFontBox->text(), "IPAGothic");
    EXPECT_EQ(dialog.versionLabel->text(), VersionLine(ZELVAR_VERSION_MAJOR, ZELVAR_VERSION_MINOR));

    // Centred on the screen (1024 × 768), its frame counted.
    const QSize frame = calendar.measureFrame(3, 0);
    EXPECT_EQ(dialog.x(), (1024 * 15 - (dialog.width() * 15 + frame.width())) / 2 / 15);
    EXPECT_EQ(dialog.y(), (768 * 15 - (dialog.height() * 15 + frame.height())) / 2 / 15);

    // Confirming unchanged stores every value as it was, the hidden ones included.
    EXPECT_TRUE(dialog.confirm());
    EXPECT_TRUE(confirmed());
    EXPECT_EQ(calendar.values, unusual());
}

TEST_F(OptionsDialogTest, CheckBoxesAndOptionsShowAndHideWhatDependsOnThem) {
    OptionsDialog dialog(calendar);
    ASSERT_TRUE(dialog.titleAndMenuBox->isChecked());
    click(dialog.trayIconBox);
    ASSERT_FALSE(dialog.trayIconBox->isChecked());
    click(dialog.titleAndMenuBox);
    EXPECT_TRUE(dialog.trayIconBox->isChecked());
    EXPECT_FALSE(dialog.trayIconBox->isEnabled());
    click(dialog.titleAndMenuBox);
    EXPECT_TRUE(dialog.trayIconBox->isEnabled());
    EXPECT_TRUE(dialog.trayIconBox->isChecked());

    EXPECT_TRUE(dialog.clockFrame->isHidden());
    click(dialog.clockBox);
    EXPECT_FALSE(dialog.clockFrame->isHidden());

    click(dialog.transparentBox);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(dialog.swatches[i]->isHidden());
        EXPECT_TRUE(dialog.colourLabels[i]->isHidden());
    }
    EXPECT_FALSE(dialog.swatches[2]->isHidden());

    click(dialog.lookButtons[0]);
    EXPECT_TRUE(dialog.swatches[7]->isHidden());
    click(dialog.lookButtons[1]);
    EXPECT_FALSE(dialog.swatches[7]->isHidden());
    EXPECT_EQ(dialog.boundaryLabel->text(), "境界線の色（線の色、影の色）");
    click(dialog.lookButtons[0]);

    // Hidden swatches keep their colours and are stored as they are.
    dialog.confirm();
    EXPECT_TRUE(confirmed());
    const OptionValues defaults = DefaultOptionValues();
    EXPECT_EQ(calendar.values.Transparent, 1);
    EXPECT_EQ(calendar.values.Appearance, 0);
    EXPECT_EQ(calendar.values.ShowClock, 1);
    EXPECT_EQ(calendar.values.Color, defaults.Color);
    EXPECT_EQ(calendar.values.CL_Color, defaults.CL_Color);
}

TEST_F(OptionsDialogTest, RestoringTheDefaultsStoresNothingUntilConfirmed) {
    calendar.values = unusual();
    {
        OptionsDialog dialog(calendar);
        click(dialog.defaultsButton);
        EXPECT_EQ(dialog.values(), DefaultOptionValues());
        EXPECT_EQ(dialog.sizeBoxes[0]->text(), "194");
        EXPECT_EQ(dialog.sizeBoxes[1]->text(), "180");
        EXPECT_TRUE(dialog.clockFrame->isHidden());
        click(dialog.confirmButtons[1]);
        EXPECT_TRUE(calendar.events.empty());
        EXPECT_EQ(calendar.values, unusual());
    }
    {
        OptionsDialog dialog(calendar);
        click(dialog.defaultsButton);
        click(dialog.confirmButtons[0]);
        EXPECT_TRUE(confirmed());
        // The clock height and font, which the dialog never shows, are reset too.
        EXPECT_EQ(calendar.values, DefaultOptionValues());
        EXPECT_EQ(calendar.values.C_Height, 33);
        EXPECT_EQ(calendar.values.clockFont.name, "ＭＳ ゴシック");
        EXPECT_EQ(calendar.values.clockFont.size, 16);
        EXPECT_EQ(calendar.values.clockFont.bold, -1);
    }
}

TEST_F(OptionsDialogTest, TooSmallSizesAreRefusedWidthFirstWithTheFocusOnTheBox) {
    OptionsDialog dialog(calendar);
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    const auto refused = [&](const char* width, const char* height, const char* message,
                             QLineEdit* focus) {
        doubles.messageBox.shown.clear();
        type(dialog.sizeBoxes[0], width);
        type(dialog.sizeBoxes[1], height);
        dialog.confirmButtons[1]->setFocus();
        EXPECT_FALSE(dialog.confirm()) << width << " × " << height;
        ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
        EXPECT_EQ(doubles.messageBox.shown[0].text, QString::fromUtf8(message));
        EXPECT_EQ(doubles.messageBox.shown[0].caption, "Zelvar");
        EXPECT_EQ(doubles.messageBox.shown[0].icon, MessageIcon::Error);
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_TRUE(calendar.events.empty());
    };
    refused("177", "174", "178以上を入力して下さい。", dialog.sizeBoxes[0]);
    refused("abc", "180", "178以上を入力して下さい。", dialog.sizeBoxes[0]);
    refused("178", "174", "175以上を入力して下さい。", dialog.sizeBoxes[1]);
    refused("178", "", "175以上を入力して下さい。", dialog.sizeBoxes[1]);
    EXPECT_TRUE(dialog.isVisible());

    // At most three characters can be typed.
    type(dialog.sizeBoxes[0], "2505");
    EXPECT_EQ(dialog.sizeBoxes[0]->text(), "250");
    type(dialog.sizeBoxes[1], "175");
    doubles.messageBox.shown.clear();
    EXPECT_TRUE(dialog.confirm());
    EXPECT_TRUE(doubles.messageBox.shown.empty());
    EXPECT_EQ(calendar.values.MainWidth, 250);
    EXPECT_EQ(calendar.values.MainHeight, 175);
}

TEST_F(OptionsDialogTest, SwatchesTakeTheChosenColourAndKeepTheirsOnCancel) {
    OptionsDialog dialog(calendar);
    doubles.colorChooser.answers = {0x123456, -1, 0x00ABCD};
    click(dialog.swatches[2]);
    EXPECT_EQ(dialog.swatches[2]->color(), 0x123456);
    ASSERT_EQ(doubles.colorChooser.requests.size(), 1U);
    // The system colour reference goes to the chooser unchanged.
    EXPECT_EQ(doubles.colorChooser.requests[0].initial, SystemColor(ColorBtnText));
    EXPECT_EQ(doubles.colorChooser.requests[0].owner, &dialog);

    click(dialog.swatches[5]);
    EXPECT_EQ(dialog.swatches[5]->color(), 0x00FFFF);

    click(dialog.clockBox);
    click(dialog.swatches[8]);
    EXPECT_EQ(doubles.colorChooser.requests.back().initial, SystemColor(ColorBtnText));
    EXPECT_EQ(dialog.swatches[8]->color(), 0x00ABCD);

    dialog.confirm();
    EXPECT_EQ(calendar.values.Color[2], 0x123456);
    EXPECT_EQ(calendar.values.Color[5], 0x00FFFF);
    EXPECT_EQ(calendar.values.CL_Color[0], 0x00ABCD);
}

TEST_F(OptionsDialogTest, FlagsOtherThanOneShowCheckedAndAreStoredAsOne) {
    calendar.values.TaskTray = 5;
    calendar.values.ShowClock = -1;
    calendar.values.Transparent = 1;
    doubles.platformId.id = 1;
    {
        OptionsDialog dialog(calendar);
        EXPECT_TRUE(dialog.trayIconBox->isChecked());
        EXPECT_TRUE(dialog.clockBox->isChecked());
        // Without transparency the box is cleared and cannot be changed.
        EXPECT_FALSE(dialog.transparentBox->isChecked());
        EXPECT_FALSE(dialog.transparentBox->isEnabled());
        dialog.confirm();
        EXPECT_EQ(calendar.values.TaskTray, 1);
        EXPECT_EQ(calendar.values.ShowClock, 1);
        EXPECT_EQ(calendar.values.Transparent, 0);
    }
    {
        OptionsDialog dialog(calendar);
        click(dialog.defaultsButton);
        EXPECT_FALSE(dialog.transparentBox->isEnabled());
    }
}

TEST_F(OptionsDialogTest, OneDialogAtATimeAndEscapeDiscards) {
    calendar.values = unusual();
    OptionsDialog* first = OpenOptionsDialog(calendar);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(OpenOptionsDialog(calendar), first);

    type(first->sizeBoxes[0], "300");
    QPointer<OptionsDialog> gone(first);
    QTest::keyClick(first->sizeBoxes[0], Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    EXPECT_TRUE(calendar.events.empty());
    EXPECT_EQ(calendar.values, unusual());

    OptionsDialog* second = OpenOptionsDialog(calendar);
    EXPECT_EQ(second->sizeBoxes[0]->text(), "200");
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(OptionsDialogTest, ClosingEndsTheProgramOnlyWithoutACalendarWindow) {
    QWidget calendarWindow;
    calendar.windowWidget = &calendarWindow;
    {
        OptionsDialog dialog(calendar);
        dialog.show();
        dialog.reject();
        EXPECT_FALSE(dialog.testAttribute(Qt::WA_QuitOnClose));
    }
    calendar.open = false;
    {
        OptionsDialog dialog(calendar);
        dialog.show();
        dialog.reject();
        EXPECT_TRUE(dialog.testAttribute(Qt::WA_QuitOnClose));
    }
}

} // namespace

TEST_F(OptionsDialogTest, TheLoginStartBoxShowsTheDesktopsEntryAndConfirmingSwitchesIt) {
    const QTemporaryDir config;
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", config.path().toUtf8());
    if (!LoginStartEntry().empty()) {
        GTEST_SKIP() << "this user's calendar already starts at login: " << LoginStartPlace();
    }
    const std::filesystem::path program = ProgramFile(TextPath(Services().program->folder()),
                                                      Services().program->name().toStdString());
    const auto box = [](OptionsDialog& dialog) {
        return dialog.findChild<QCheckBox*>(QStringLiteral("loginStartBox"));
    };

    {
        OptionsDialog dialog(calendar);
        ASSERT_NE(box(dialog), nullptr);
        EXPECT_FALSE(box(dialog)->isChecked()) << "off by default";
        dialog.show();
        click(box(dialog));
        ASSERT_TRUE(dialog.confirm());
        EXPECT_TRUE(confirmed());
        EXPECT_TRUE(LoginStartIsOn(program));
    }
    {
        OptionsDialog dialog(calendar);
        EXPECT_TRUE(box(dialog)->isChecked());
    }
    // The user removes the entry by hand: the next dialog shows it off, and confirming with the
    // box untouched writes nothing.
    ASSERT_EQ(SetLoginStart(program, false), "");
    {
        OptionsDialog dialog(calendar);
        EXPECT_FALSE(box(dialog)->isChecked());
        ASSERT_TRUE(dialog.confirm());
        EXPECT_EQ(LoginStartEntry(), "");
    }

    // Where the entry cannot be written, the dialog says so and stays open with nothing stored.
    const QString place = QString::fromStdString(LoginStartPlace());
    if (place.startsWith(config.path())) {
        // The autostart folder is a file.
        ASSERT_TRUE(QDir(config.path() + QStringLiteral("/autostart")).removeRecursively());
        QFile blocker(config.path() + QStringLiteral("/autostart"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        calendar.events.clear();
        doubles.messageBox.shown.clear();
        OptionsDialog dialog(calendar);
        dialog.show();
        click(box(dialog));
        EXPECT_FALSE(dialog.confirm());
        ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
        EXPECT_TRUE(doubles.messageBox.shown[0].text.startsWith(
            QStringLiteral("ログイン時の起動を設定できませんでした。")));
        EXPECT_TRUE(doubles.messageBox.shown[0].text.contains(QStringLiteral("autostart")));
        EXPECT_TRUE(calendar.events.empty());
        EXPECT_TRUE(dialog.isVisible());
    }
}
