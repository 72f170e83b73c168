#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "tests/support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

const QString Option = QStringLiteral("Option");

std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll().toStdString();
}

void writeBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace

TEST(IniRead, AbsentKeysSectionsAndEmptyValuesGiveTheDefault) {
    const std::string file =
        "[Option]\r\nShowMenu=0\r\nEmpty=\r\nBare\r\n[Other]\r\nTaskTray=0\r\n";
    EXPECT_EQ(IniReadInt(file, Option, "ShowMenu", 1), 0);
    EXPECT_EQ(IniReadInt(file, Option, "TaskTray", 1), 1); // lives in another section
    EXPECT_EQ(IniReadInt(file, "MainForm", "Left", -480000), -480000);
    EXPECT_EQ(IniReadInt(file, Option, "Empty", 33), 33);
    EXPECT_EQ(IniReadInt(file, Option, "Bare", 7), 7); // a key without "=" has no value
    EXPECT_EQ(IniReadInt("", Option, "ShowMenu", 1), 1);
    EXPECT_EQ(IniReadString(file, Option, "Empty", "x", 256), "");
    EXPECT_EQ(IniReadString(file, Option, "Bare", "dflt", 256), "dflt");
    EXPECT_EQ(IniReadString(file, Option, "Missing", "16  ", 256), "16"); // trailing spaces go
}

TEST(IniRead, IntegersTakeTheLeadingNumber) {
    const std::string file = "[Option]\n"
                             "A=12abc\nB=abc\nC=  -5 \nD=+7\nE=-2147483633\nF=4294967295\n"
                             "G=10.5\nH=- 3\nI=\"42\"\nJ=000000000000000000000000000009\n";
    EXPECT_EQ(IniReadInt(file, Option, "A", 1), 12);
    EXPECT_EQ(IniReadInt(file, Option, "B", 1), 0);
    EXPECT_EQ(IniReadInt(file, Option, "C", 1), -5);
    EXPECT_EQ(IniReadInt(file, Option, "D", 1), 7);
    EXPECT_EQ(IniReadInt(file, Option, "E", 1), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(IniReadInt(file, Option, "F", 1), -1); // wraps at 32 bits like the system
    EXPECT_EQ(IniReadInt(file, Option, "G", 1), 10);
    EXPECT_EQ(IniReadInt(file, Option, "H", 1), 0);
    EXPECT_EQ(IniReadInt(file, Option, "I", 1), 42); // quotes are dropped
    // Only the first 29 characters count: the 9 is the 30th.
    EXPECT_EQ(IniReadInt(file, Option, "J", 1), 0);
}

TEST(IniRead, NamesCompareWithoutCaseAndBlanksAroundThemDoNotCount) {
    const std::string file = "  [ option ]  \r\n  showmenu   =   0  \r\n"
                             "[OPTION]\r\nTaskTray=0\r\n"
                             "[MainForm]\r\nLeft = 'quoted value' \r\nTop=\"unbalanced\r\n";
    EXPECT_EQ(IniReadInt(file, "OPTION", "ShowMenu", 1), 0);
    // Only the first section of a name is searched.
    EXPECT_EQ(IniReadInt(file, Option, "TaskTray", 1), 1);
    EXPECT_EQ(IniReadString(file, "mainform", "LEFT", "", 256), "quoted value");
    EXPECT_EQ(IniReadString(file, "MainForm", "Top", "", 256), "\"unbalanced");
}

TEST(IniRead, StringsAreCutToTheBufferWithoutSplittingACharacter) {
    const std::string name =
        "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ ゴシック
    const std::string file = "[Option]\r\nC_FontName=" + name + "\r\nLong=" + std::string(300, 'x');
    EXPECT_EQ(IniReadString(file, Option, "C_FontName", "", 256), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(IniReadString(file, Option, "Long", "", 256).size(), 255);
    // 6 bytes fit ＭＳ and the space (5 bytes); the next character would need 2 more.
    EXPECT_EQ(IniReadString(file, Option, "C_FontName", "", 7), QStringLiteral("ＭＳ "));
    EXPECT_EQ(IniReadString(file, Option, "C_FontName", "", 5), QStringLiteral("ＭＳ"));
    EXPECT_EQ(IniReadString(file, Option, "C_FontName", "", 4), QStringLiteral("Ｍ"));
    EXPECT_EQ(IniReadString(file, Option, "C_FontName", "", 0), "");
    EXPECT_EQ(IniReadString(file, Option, "Missing", "abcdef", 4), "abc");
}

TEST(IniRead, TrailBytesThatLookLikeBracketsDoNotEndASectionName) {
    // ゾーン: ゾ is 83 5D (a "]" trail byte), ー is 81 5B.
    const std::string zone = "\x83\x5d\x81\x5b\x83\x93";
    const std::string file = "[" + zone + "]\r\nKey=" + zone + "\r\n";
    EXPECT_EQ(IniReadString(file, QStringLiteral("ゾーン"), "Key", "", 256),
              QStringLiteral("ゾーン"));
    const std::optional<std::string> written =
        IniWriteString(file, QStringLiteral("ゾーン"), "Key", "1");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, "[" + zone + "]\r\nKey=1\r\n");
}

TEST(IniWrite, ChangesOnlyTheKeyAndKeepsEveryOtherLine) {
    const std::string before = "; settings\r\n"
                               "[MainForm]\r\n"
                               "  Left = 100   \r\n"
                               "Top=200\r\n"
                               "\r\n"
                               "[Option]\n" // a line ending the system did not write
                               "Color1=5\r\n"
                               "\r\n";
    std::optional<std::string> after = IniWriteString(before, "mainform", "LEFT", "-300");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "; settings\r\n"
                      "[MainForm]\r\n"
                      "  Left=-300\r\n"
                      "Top=200\r\n"
                      "\r\n"
                      "[Option]\n"
                      "Color1=5\r\n"
                      "\r\n");
    // A new key goes after the section's last key, before the blank line that ends it.
    after = IniWriteString(before, "MainForm", "AlwaysOnTop", "1");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "; settings\r\n[MainForm]\r\n  Left = 100   \r\nTop=200\r\nAlwaysOnTop=1\r\n"
                      "\r\n[Option]\nColor1=5\r\n\r\n");
    // A new section goes at the end.
    after = IniWriteString("[MainForm]\r\nLeft=1", "Option", "ShowMenu", "0");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "[MainForm]\r\nLeft=1\r\n[Option]\r\nShowMenu=0\r\n");
    // A key added to a last line without line end.
    after = IniWriteString("[Option]\r\nA=1", "Option", "B", "2");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "[Option]\r\nA=1\r\nB=2\r\n");
    // Into an empty file.
    after = IniWriteString("", "Option", "ShowMenu", "1");
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, "[Option]\r\nShowMenu=1\r\n");
}

TEST(IniWrite, RefusesTextThatWouldBreakTheFile) {
    EXPECT_FALSE(IniWriteString("", "Option", "Key", "two\r\nlines"));
    EXPECT_FALSE(IniWriteString("", "Opt]ion", "Key", "1"));
    EXPECT_FALSE(IniWriteString("", "Option", "K=ey", "1"));
    EXPECT_FALSE(IniWriteString("", "", "Key", "1"));
    EXPECT_FALSE(IniWriteString("", "Option", " ", "1"));
    EXPECT_FALSE(IniWriteString("", "Option", "Key", QStringLiteral("😀"))); // not in code page 932
}

TEST(IniFiles, WritesCodePage932AndReadsItBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Zelvar.ini");
    IniFiles ini;
    EXPECT_EQ(ini.readInt(path, Option, "Color1", 42), 42); // no file yet
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(
        ini.writeString(path, Option, "C_FontName", QStringLiteral("ＭＳ ゴシック")).written());
    ASSERT_TRUE(ini.writeString(path, Option, "Color1", QString::number(std::int32_t(0x8000000F)))
                    .written());
    ASSERT_TRUE(ini.writeString(path, "MainForm", "Left", "1500").written());
    EXPECT_EQ(readBytes(path), "[Option]\r\n"
                               "C_FontName=\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
                               "Color1=-2147483633\r\n"
                               "[MainForm]\r\n"
                               "Left=1500\r\n");
    EXPECT_EQ(ini.readInt(path, Option, "Color1", 0), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(ini.readString(path, Option, "C_FontName", "", 256), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(ini.readInt(path, "MAINFORM", "left", 0), 1500);
}

TEST(IniFiles, AFailedWriteReportsItAndLeavesTheFileAlone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    IniFiles ini;
    // A folder that does not exist.
    EXPECT_FALSE(
        ini.writeString(dir.filePath("missing/Zelvar.ini"), Option, "ShowMenu", "0").written());
    // A path that is a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    EXPECT_FALSE(ini.writeString(dir.filePath("folder.ini"), Option, "ShowMenu", "0").written());
    // Text the file cannot hold.
    const QString path = dir.filePath("Zelvar.ini");
    writeBytes(path, "[Option]\r\nShowMenu=1\r\n");
    EXPECT_FALSE(ini.writeString(path, Option, "C_FontName", QStringLiteral("😀")).written());
    EXPECT_EQ(readBytes(path), "[Option]\r\nShowMenu=1\r\n");
}

TEST(IniFiles, AFileIsNeverWrittenPastTheSizeItsReadersAccept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    IniFiles ini;
    const QString path = dir.filePath("Zelvar.ini");
    // One byte short of the limit: a comment line that fills the file, then the section.
    const std::string head = "[Option]\r\nShowMenu=1\r\n";
    const std::string filled =
        head + ";" + std::string(MaxIniFileBytes - head.size() - 4, 'x') + "\r\n";
    ASSERT_EQ(filled.size(), MaxIniFileBytes - 1);
    writeBytes(path, filled);
    EXPECT_EQ(ini.refusal(path), IniRefusal::None);
    EXPECT_EQ(ini.readInt(path, Option, "ShowMenu", 5), 1);

    // A value of the same length keeps the size; a new key would pass the limit.
    EXPECT_TRUE(ini.writeString(path, Option, "ShowMenu", "0").written());
    const WriteResult grown = ini.writeString(path, Option, "TaskTray", "0");
    EXPECT_FALSE(grown.written());
    EXPECT_EQ(grown.error, EFBIG);
    EXPECT_EQ(readBytes(path).size(), MaxIniFileBytes - 1);
    EXPECT_EQ(ini.readInt(path, Option, "ShowMenu", 5), 0) << "still read: every setting kept";
    EXPECT_EQ(ini.refusal(path), IniRefusal::None);

    // A file past the limit is refused by the readers, which say so.
    writeBytes(path, filled + "TaskTray=0\r\n");
    EXPECT_EQ(ini.refusal(path), IniRefusal::TooLarge);
    EXPECT_EQ(ini.readInt(path, Option, "ShowMenu", 5), 5);
    EXPECT_EQ(ini.refusal(dir.filePath("absent.ini")), IniRefusal::None);
}

TEST(IniFiles, AReadOnlyFileOrAPipeIsNeitherReadAsWaitingNorReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    IniFiles ini;
    const QString path = dir.filePath("Zelvar.ini");
    writeBytes(path, "[Option]\r\nShowMenu=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_FALSE(ini.writeString(path, Option, "ShowMenu", "0").written());
    EXPECT_EQ(readBytes(path), "[Option]\r\nShowMenu=1\r\n");
    EXPECT_FALSE(QFile::permissions(path).testFlag(QFile::WriteOwner));
    EXPECT_EQ(ini.readInt(path, Option, "ShowMenu", 5), 1);

    // A named pipe in the file's place: reading it would wait for a writer for ever.
    const QString pipe = dir.filePath("Pipe.ini");
    if (std::system(("mkfifo '" + pipe.toStdString() + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "no named pipes here";
    }
    EXPECT_EQ(ini.readInt(pipe, Option, "ShowMenu", 5), 5);
    EXPECT_EQ(ini.readString(pipe, Option, "C_FontName", "x", 256), "x");
    EXPECT_FALSE(ini.writeString(pipe, Option, "ShowMenu", "0").written());
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}
