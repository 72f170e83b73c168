// The settings file: what is read, what is written back, and where the window goes.

#include "calendar/settings_file.h"
#include "calendar_fixture.h"
#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "platform/services.h"
#include "tests/support/scoped_environment.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

class SettingsFileTest : public CalendarTest {};

TEST_F(SettingsFileTest, ARunThatChangesNothingCreatesNoFile) {
    start();
    closeCalendar();
    EXPECT_TRUE(doubles.iniFiles.writes.empty())
        << writtenKeys().join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(SettingsFileTest, OnlyChangedValuesAreWrittenAndTheRestOfTheFileIsKept) {
    writeIni("; kept\r\n[Option]\r\nMainWidth=200\r\nColor1=255\r\n");
    CalendarWindow& w = start();
    CalendarSettings& s = CalendarOptions();
    EXPECT_EQ(s.current.MainWidth, 200);
    s.current.Color[0] = SystemColor(ColorBtnFace);
    s.current.ShowClock = 1;
    w.alwaysOnTopCommand->trigger();
    closeCalendar();
    EXPECT_EQ(writtenKeys(), QStringList({QStringLiteral("MainForm/AlwaysOnTop=1"),
                                          QStringLiteral("Option/Color1=-2147483633"),
                                          QStringLiteral("Option/ShowClock=1")}));
    const QByteArray file = readIni();
    EXPECT_TRUE(file.startsWith("; kept\r\n[Option]\r\nMainWidth=200\r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("Color1=-2147483633"));

    // The system colour reads back as it was written.
    ReadOptions(nullptr);
    EXPECT_EQ(s.current.Color[0], SystemColor(ColorBtnFace));
    EXPECT_EQ(s.lastRead.Color[0], SystemColor(ColorBtnFace));
}

TEST_F(SettingsFileTest, ClampToScreenKeepsFiftyPixelsOnTheVirtualScreen) {
    const std::int32_t width = 2910;
    const std::int32_t height = 3330;
    auto clamp = [&](std::int32_t left, std::int32_t top) {
        ClampToScreen(width, height, left, top);
        return std::pair{left, top};
    };
    // 1024 × 768 pixels: exactly 50 pixels visible at the right is moved flush, 51 kept.
    EXPECT_EQ(clamp((1024 - 50) * 15, 0).first, 1024 * 15 - width);
    EXPECT_EQ(clamp((1024 - 51) * 15, 0).first, (1024 - 51) * 15);
    EXPECT_EQ(clamp(0, (768 - 50) * 15).second, 768 * 15 - height);
    EXPECT_EQ(clamp(0, (768 - 51) * 15).second, (768 - 51) * 15);
    // At the left and top edge: 50 pixels showing is moved in, 51 kept.
    EXPECT_EQ(clamp(-width + 50 * 15, -height + 50 * 15), std::pair(0, 0));
    EXPECT_EQ(clamp(-width + 51 * 15, -height + 51 * 15),
              std::pair(-width + 51 * 15, -height + 51 * 15));

    // A virtual screen that begins left of the primary screen keeps negative positions.
    doubles.metrics.values[Metric::XVirtualScreen] = -1280;
    doubles.metrics.values[Metric::CxVirtualScreen] = 2304;
    EXPECT_EQ(clamp(-15000, 1500), std::pair(-15000, 1500));

    // A system without virtual-screen metrics uses the screen.
    for (Metric m : {Metric::XVirtualScreen, Metric::YVirtualScreen, Metric::CxVirtualScreen,
                     Metric::CyVirtualScreen}) {
        doubles.metrics.values[m] = 0;
    }
    EXPECT_EQ(clamp(1024 * 15, 0).first, 1024 * 15 - width);
}

TEST_F(SettingsFileTest, AbsentLeftIsCentredAndAnUnmovedWindowWritesNoPosition) {
    writeIni("[MainForm]\r\nTop=1500\r\n");
    CalendarWindow& w = start();
    EXPECT_EQ(w.windowWidth, 194 * 15);
    EXPECT_EQ(w.x(), (1024 * 15 - w.windowWidth) / 2 / 15);
    EXPECT_EQ(w.y(), 100);
    closeCalendar();
    EXPECT_TRUE(doubles.iniFiles.writes.empty());
}

TEST_F(SettingsFileTest, MovedWindowWritesItsPositionInTwips) {
    CalendarWindow& w = start();
    w.move(40, 60);
    closeCalendar();
    EXPECT_EQ(writtenKeys(), QStringList({QStringLiteral("MainForm/Left=600"),
                                          QStringLiteral("MainForm/Top=900")}));
}

TEST_F(SettingsFileTest, TransparentNeedsAPlatformThatCanShowIt) {
    writeIni("[Option]\r\nTransparent=1\r\n");
    doubles.platformId.id = 1;
    CalendarWindow& w = start();
    EXPECT_EQ(CalendarOptions().current.Transparent, 0);
    EXPECT_EQ(CalendarOptions().lastRead.Transparent, 1);
    EXPECT_EQ(doubles.windowStyles.colorKeys.count(&w), 0u) << "the window stays opaque";
    closeCalendar();
    EXPECT_EQ(writtenKeys(), QStringList({QStringLiteral("Option/Transparent=0")}));
}

TEST_F(SettingsFileTest, TransparentBackgroundUsesTheKeyColour) {
    writeIni("[Option]\r\nTransparent=1\r\n");
    CalendarWindow& w = start();
    ASSERT_EQ(doubles.windowStyles.colorKeys.count(&w), 1u);
    EXPECT_EQ(doubles.windowStyles.colorKeys[&w], QColor(0, 255, 255));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(w.monthBox->palette().color(QPalette::Base), QColor(0, 255, 255));
}

TEST_F(SettingsFileTest, AlwaysOnTopOtherThanZeroOrOneSetsNothingAndIsRewrittenOnClose) {
    writeIni("[MainForm]\r\nAlwaysOnTop=5\r\n");
    CalendarWindow& w = start();
    EXPECT_FALSE(w.alwaysOnTopCommand->isChecked());
    EXPECT_TRUE(doubles.windowStyles.topmostCalls.empty());
    closeCalendar();
    EXPECT_EQ(writtenKeys(), QStringList({QStringLiteral("MainForm/AlwaysOnTop=0")}));
}

TEST_F(SettingsFileTest, AlwaysOnTopOneChecksTheCommandAndKeepsTheWindowOnTop) {
    writeIni("[MainForm]\r\nAlwaysOnTop=1\r\n");
    CalendarWindow& w = start();
    EXPECT_TRUE(w.alwaysOnTopCommand->isChecked());
    EXPECT_TRUE(doubles.windowStyles.isTopmost(&w));
}

TEST_F(SettingsFileTest, ClockFontSizeIsTheLeadingNumberOfItsText) {
    writeIni("[Option]\r\nC_FontSize=10.5\r\nC_FontName=\"  IPAGothic  \"\r\nC_FontBold=0\r\n");
    CalendarWindow& w = start();
    const ClockFontValues& font = CalendarOptions().current.clockFont;
    EXPECT_EQ(font.size, 10.5);
    EXPECT_EQ(font.name, QStringLiteral("IPAGothic"));
    EXPECT_EQ(font.bold, 0);
    EXPECT_EQ(w.clockLabel->font().pointSizeF(), 10.5);
    EXPECT_FALSE(w.clockLabel->font().bold());
    closeCalendar();
    EXPECT_TRUE(doubles.iniFiles.writes.empty());

    writeIni("[Option]\r\nC_FontSize=abc\r\n");
    CalendarWindow& again = start();
    EXPECT_EQ(CalendarOptions().current.clockFont.size, 0);
    EXPECT_EQ(again.clockLabel->font().pointSizeF(), 16)
        << "a size of 0 keeps the clock's 16 points";

    EXPECT_EQ(FontSizeText(16), QStringLiteral("16"));
    EXPECT_EQ(FontSizeText(10.5), QStringLiteral("10.5"));
}

TEST_F(SettingsFileTest, SixteenBitValuesOutOfRangeReadAsTheirDefault) {
    writeIni("[Option]\r\nShowMenu=99999\r\nTaskTray=70000\r\nAppearance=-40000\r\n"
             "MainWidth=70000\r\n");
    CalendarWindow& w = start();
    EXPECT_TRUE(w.hasTitleAndMenu());
    const CalendarSettings& s = CalendarOptions();
    EXPECT_EQ(s.current.ShowMenu, 1);
    EXPECT_EQ(s.current.TaskTray, 1);
    EXPECT_EQ(s.current.Appearance, 1);
    EXPECT_EQ(s.current.MainWidth, 70000) << "a 32-bit setting keeps its value";
}

TEST_F(SettingsFileTest, SizesBelowTheOptionsMinimumReadAsTheDefault) {
    writeIni("[Option]\r\nMainWidth=0\r\nMainHeight=174\r\n");
    CalendarWindow& w = start();
    const CalendarSettings& s = CalendarOptions();
    EXPECT_EQ(s.current.MainWidth, 194);
    EXPECT_EQ(s.current.MainHeight, 180);
    EXPECT_EQ(w.windowWidth, 194 * 15);
    EXPECT_TRUE(w.hasTitleAndMenu());
    closeCalendar();
    EXPECT_TRUE(doubles.iniFiles.writes.empty()) << "the file keeps what the user wrote";
}

TEST_F(SettingsFileTest, SizesAtTheOptionsMinimumAreKept) {
    writeIni("[Option]\r\nMainWidth=178\r\nMainHeight=175\r\n");
    start();
    EXPECT_EQ(CalendarOptions().current.MainWidth, 178);
    EXPECT_EQ(CalendarOptions().current.MainHeight, 175);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedOnceNamingTheFile) {
    start();
    CalendarOptions().current.ShowClock = 1;
    CalendarOptions().current.Appearance = 0;
    doubles.iniFiles.failWrites = true;
    closeCalendar();
    EXPECT_EQ(doubles.iniFiles.writes.size(), 2u) << "every changed value is tried";
    ASSERT_EQ(doubles.messageBox.shown.size(), 1u);
    const MessageRequest& box = doubles.messageBox.shown.front();
    EXPECT_TRUE(box.text.contains(QStringLiteral("Zelvar.ini"))) << box.text.toStdString();
    EXPECT_EQ(box.caption, QStringLiteral("Zelvar"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
}

TEST_F(SettingsFileTest, SizesBeyondAnyScreenStillOpenAWindow) {
    writeIni("[Option]\r\nMainWidth=2000000000\r\nMainHeight=-5\r\nShowClock=1\r\n"
             "C_Height=2000000000\r\n");
    CalendarWindow& w = start();
    EXPECT_GT(w.windowHeight, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_LE(w.width(), 1024) << "no wider than the desktop";
    EXPECT_LE(w.height(), 768);
    closeCalendar();
    EXPECT_TRUE(doubles.iniFiles.writes.empty()) << "the stored values stay as they were";
}

TEST_F(SettingsFileTest, InASharedProgramFolderTheSettingsLiveInTheUsersConfigurationFolder) {
    // The program's folder is marked shared; the user's configuration folder is a scratch one.
    ASSERT_TRUE(doubles.shareProgramFolder());
    const QTemporaryDir config;
    const ScopedEnvironment userFolder("XDG_CONFIG_HOME", config.path().toUtf8());
    doubles.findFileLocations();
    const QString userIni = config.path() + QStringLiteral("/zelvar/Zelvar.ini");
    EXPECT_EQ(IniPath(), userIni);

    // Nothing changed: not even the folder is made.
    start();
    closeCalendar();
    EXPECT_FALSE(QFileInfo::exists(config.path() + QStringLiteral("/zelvar")));

    // A change creates the folder and the file there, and nothing beside the program.
    CalendarWindow& w = start();
    w.alwaysOnTopCommand->trigger();
    closeCalendar();
    QFile file(userIni);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[MainForm]\r\nAlwaysOnTop=1\r\n"));
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_TRUE(doubles.messageBox.shown.empty());

    // Read back from there by the next window.
    CalendarWindow& again = start();
    EXPECT_TRUE(again.alwaysOnTopCommand->isChecked());
    closeCalendar();
}

TEST_F(SettingsFileTest, InASharedProgramFolderWithoutAUserFolderNothingIsWrittenAndItIsSaid) {
    // A shared installation started without any folder of the user's.
    ASSERT_TRUE(doubles.shareProgramFolder());
    const ScopedNoUserFolders noUserFolders;
    doubles.findFileLocations();
    EXPECT_TRUE(IniPath().isEmpty());

    CalendarWindow& w = start();
    w.alwaysOnTopCommand->trigger();
    closeCalendar();
    EXPECT_FALSE(QFile::exists(iniPath())) << "the shared folder is never written";
    EXPECT_TRUE(QDir(doubles.program.folder())
                    .entryList({QStringLiteral("*.ini")}, QDir::Files | QDir::Hidden)
                    .isEmpty());
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    EXPECT_TRUE(doubles.messageBox.shown[0].text.startsWith(NoUserFolderText()))
        << doubles.messageBox.shown[0].text.toStdString();
    EXPECT_TRUE(
        doubles.messageBox.shown[0].text.contains(QStringLiteral("設定を保存出来ませんでした。")));
}

TEST_F(SettingsFileTest, ASettingsFileTooLargeToReadIsReportedAtStartAndNeverReplaced) {
    QByteArray text = "[Option]\r\nShowMenu=1\r\n;";
    text.append(QByteArray(static_cast<qsizetype>(MaxIniFileBytes), 'x'));
    text.append("\r\n");
    writeIni(text);
    CalendarWindow& w = start();
    ASSERT_EQ(doubles.messageBox.shown.size(), 1U);
    const MessageRequest& told = doubles.messageBox.shown[0];
    EXPECT_EQ(told.text, QDir::toNativeSeparators(iniPath()) +
                             QStringLiteral("\n設定ファイルが大きすぎるため読み込めません。"
                                            "\n既定の設定で起動します。"));
    EXPECT_EQ(told.icon, MessageIcon::Error);
    EXPECT_EQ(told.caption, QStringLiteral("Zelvar"));

    // Closing after a change cannot save into it, and says so with the system's words.
    w.alwaysOnTopCommand->trigger();
    closeCalendar();
    EXPECT_EQ(readIni(), text);
    ASSERT_EQ(doubles.messageBox.shown.size(), 2U);
    EXPECT_EQ(doubles.messageBox.shown[1].text,
              QDir::toNativeSeparators(iniPath()) +
                  QStringLiteral("\n設定を保存出来ませんでした。\n") +
                  QString::fromStdString(SystemErrorText(EFBIG)));
}

TEST_F(SettingsFileTest, TheSettingsFileStaysWhereItWasFoundAtStart) {
    ASSERT_TRUE(doubles.shareProgramFolder());
    const char* variable = UserFoldersFollowXdg ? "XDG_CONFIG_HOME" : "APPDATA";
    const QString folderName = UserFoldersFollowXdg ? QStringLiteral("/zelvar/Zelvar.ini")
                                                    : QStringLiteral("/Zelvar/Zelvar.ini");
    const QTemporaryDir first;
    const QTemporaryDir second;
    const ScopedEnvironment atStart(variable, first.path().toUtf8());
    doubles.findFileLocations();
    EXPECT_EQ(QDir::cleanPath(IniPath()), QDir::cleanPath(first.path() + folderName));

    // The environment changes while the program runs: the settings stay where they were found.
    const ScopedEnvironment later(variable, second.path().toUtf8());
    CalendarWindow& w = start();
    w.alwaysOnTopCommand->trigger();
    closeCalendar();
    EXPECT_TRUE(QFileInfo::exists(first.path() + folderName));
    EXPECT_FALSE(QFileInfo::exists(second.path() + folderName));

    // A program starting now finds the new folder.
    doubles.findFileLocations();
    EXPECT_EQ(QDir::cleanPath(IniPath()), QDir::cleanPath(second.path() + folderName));
}

TEST_F(SettingsFileTest, TheUnsavedSettingsMessageGivesTheWordsOfTheSettingsFilesOwnFailure) {
    const QString notSaved =
        QDir::toNativeSeparators(iniPath()) + QStringLiteral("\n設定を保存出来ませんでした。");
    EXPECT_EQ(SettingsNotSavedText(FailedWrite(TextPath(IniPath()), EACCES)),
              notSaved + QStringLiteral("\n") + QString::fromStdString(SystemErrorText(EACCES)));
    // Another file's failure says nothing of the settings file.
    EXPECT_EQ(SettingsNotSavedText(
                  FailedWrite(TextPath(doubles.file(QStringLiteral("Korin1.csv"))), EACCES)),
              notSaved);
    EXPECT_EQ(SettingsNotSavedText(WriteResult::failed(EIO)), notSaved);
}
