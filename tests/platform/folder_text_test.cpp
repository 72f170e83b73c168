// The save folder as its user writes it: shortened inside the user's home folder (on Windows
// the roaming application data), in full elsewhere.

#include "platform/folder_text.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString native(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace

TEST(FolderText, AFolderInsideTheUsersHomeIsShortenedAndAnyOtherIsShownWhole) {
    const TempFolder scratch;
    const std::filesystem::path home = scratch.path() / "home";
    const QString separator = QDir::separator();
    const QString abbreviation = QString::fromUtf8(UserHomeAbbreviation);
    UserEnvironment environment;
    environment.home = utf8(home);

    EXPECT_EQ(FolderAsUsersWriteIt(home / "Zelvar", environment),
              abbreviation + separator + QStringLiteral("Zelvar"));
    EXPECT_EQ(FolderAsUsersWriteIt(home / ".local" / "share" / "zelvar", environment),
              abbreviation + separator + QStringLiteral(".local") + separator +
                  QStringLiteral("share") + separator + QStringLiteral("zelvar"));
    // A home written with a closing separator shortens the same.
    environment.home = utf8(home) + utf8(std::filesystem::path("/").make_preferred());
    EXPECT_EQ(FolderAsUsersWriteIt(home / "Zelvar", environment),
              abbreviation + separator + QStringLiteral("Zelvar"));

    // A sibling whose name begins like the home's, a folder elsewhere, an unset or relative
    // home: the whole path, with the system's separators.
    environment.home = utf8(home);
    const std::filesystem::path sibling = scratch.path() / "home2" / "Zelvar";
    EXPECT_EQ(FolderAsUsersWriteIt(sibling, environment), native(sibling));
    environment.home.clear();
    EXPECT_EQ(FolderAsUsersWriteIt(home / "Zelvar", environment), native(home / "Zelvar"));
    environment.home = "relative/home";
    EXPECT_EQ(FolderAsUsersWriteIt(std::filesystem::path("relative/home/Zelvar"), environment),
              native(std::filesystem::path("relative/home/Zelvar")));
}
