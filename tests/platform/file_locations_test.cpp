// Where the programs keep their files: beside the program when its folder is the user's, in the
// user's own folders when it is not.

#include "platform/file_locations.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

UserEnvironment homeOnly(const fs::path& home) {
    return {.home = home.string(), .configHome = {}, .dataHome = {}};
}

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "x";
}

// Whether this process can create a file in `folder` whatever its permissions say (root can).
bool bypassesPermissions(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    std::ofstream out(probe);
    const bool made = out.good();
    out.close();
    std::error_code ec;
    fs::remove(probe, ec);
    return made;
}

} // namespace

TEST(FileLocations, AFolderTheUserCanWriteIsTheUsersUnlessItIsMarkedShared) {
    TempFolder program;
    EXPECT_TRUE(ProgramFolderIsUsers(program.path()));
    // A program folder that has gone is not taken for a shared one: saves fail there, visibly.
    EXPECT_TRUE(ProgramFolderIsUsers(program.path() / "missing"));

    touch(program.path() / std::string(SharedFolderMarker));
    EXPECT_FALSE(ProgramFolderIsUsers(program.path()));
}

TEST(FileLocations, AFolderWithoutWritePermissionIsNotTheUsers) {
    TempFolder program;
    fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool bypass = bypassesPermissions(program.path());
    const bool users = ProgramFolderIsUsers(program.path());
    fs::permissions(program.path(), fs::perms::owner_all);
    if (bypass) {
        GTEST_SKIP() << "this user may write into read-only folders (root): the shared-folder "
                        "marker stands in for the permission there";
    }
    EXPECT_FALSE(users);
}

TEST(FileLocations, TheUsersFolderKeepsEverythingBesideTheProgram) {
    TempFolder program;
    TempFolder home;
    touch(home.path() / ".local/share/zelvar/Korin1.csv"); // ignored: the program's folder rules

    const FileLocations locations =
        ChooseFileLocations(program.path(), true, homeOnly(home.path()));
    EXPECT_TRUE(locations.besideProgram);
    EXPECT_EQ(locations.settingsFolder, program.path());
    EXPECT_EQ(locations.userDataFolder, program.path());
    EXPECT_EQ(DefinitionFileToRead(locations, "Korin1.csv"), program.path() / "Korin1.csv");
    EXPECT_EQ(DefinitionFileToWrite(locations, "Korin1.csv"), program.path() / "Korin1.csv");

    // The same through the whole rule, with the real environment.
    const FileLocations found = FindFileLocations(program.path());
    EXPECT_TRUE(found.besideProgram);
    EXPECT_EQ(found.settingsFolder, program.path());
    EXPECT_EQ(DefinitionFileToRead(found, "Korin2.csv"), program.path() / "Korin2.csv");
}

TEST(FileLocations, ASharedFolderKeepsSettingsAndSavedDefinitionsInTheUsersFolders) {
    TempFolder program;
    TempFolder home;
    const FileLocations locations =
        ChooseFileLocations(program.path(), false, homeOnly(home.path()));
    EXPECT_FALSE(locations.besideProgram);
    if (!UserFoldersFollowXdg) {
        EXPECT_EQ(locations.settingsFolder, home.path() / "Zelvar");
        EXPECT_EQ(locations.userDataFolder, home.path() / "Zelvar");
        return;
    }
    EXPECT_EQ(locations.settingsFolder, home.path() / ".config" / "zelvar");
    EXPECT_EQ(locations.userDataFolder, home.path() / ".local" / "share" / "zelvar");

    // No copy of the user's yet: the shipped files are read, the user's folder is written.
    EXPECT_EQ(DefinitionFileToRead(locations, "Korin1.csv"), program.path() / "Korin1.csv");
    EXPECT_EQ(DefinitionFileToWrite(locations, "Korin1.csv"),
              home.path() / ".local/share/zelvar/Korin1.csv");

    // Once the user saved the holidays, they are read from there; the eras still are shipped.
    touch(home.path() / ".local/share/zelvar/Korin1.csv");
    EXPECT_EQ(DefinitionFileToRead(locations, "Korin1.csv"),
              home.path() / ".local/share/zelvar/Korin1.csv");
    EXPECT_EQ(DefinitionFileToRead(locations, "Korin2.csv"), program.path() / "Korin2.csv");
}

TEST(FileLocations, TheXdgFoldersWinOverTheHomeWhenTheyAreAbsolute) {
    if (!UserFoldersFollowXdg) {
        GTEST_SKIP() << "the user's folders on this system are not the XDG ones";
    }
    TempFolder program;
    TempFolder home;
    UserEnvironment environment = homeOnly(home.path());
    environment.configHome = (home.path() / "conf").string();
    environment.dataHome = (home.path() / "data").string();
    FileLocations locations = ChooseFileLocations(program.path(), false, environment);
    EXPECT_EQ(locations.settingsFolder, home.path() / "conf" / "zelvar");
    EXPECT_EQ(locations.userDataFolder, home.path() / "data" / "zelvar");

    // Relative values are ignored, as the XDG rules ask.
    environment.configHome = "conf";
    environment.dataHome = "data";
    locations = ChooseFileLocations(program.path(), false, environment);
    EXPECT_EQ(locations.settingsFolder, home.path() / ".config" / "zelvar");
    EXPECT_EQ(locations.userDataFolder, home.path() / ".local" / "share" / "zelvar");
}

TEST(FileLocations, WithoutAnyUserFolderASharedFolderIsNeverWritten) {
    TempFolder program;
    // Relative values name no folder either.
    UserEnvironment relative;
    relative.home = "home";
    relative.configHome = "conf";
    relative.dataHome = "data";
    for (const UserEnvironment& environment : {UserEnvironment{}, relative}) {
        const FileLocations locations = ChooseFileLocations(program.path(), false, environment);
        EXPECT_FALSE(locations.besideProgram);
        EXPECT_TRUE(locations.settingsFolder.empty());
        EXPECT_TRUE(locations.userDataFolder.empty());
        EXPECT_TRUE(DefinitionFileToWrite(locations, "Korin1.csv").empty());
        // The shipped files are still read.
        EXPECT_EQ(DefinitionFileToRead(locations, "Korin1.csv"), program.path() / "Korin1.csv");
    }
}
