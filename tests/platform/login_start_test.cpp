// The calendar's start at login: the entry the desktop reads is written, seen and removed, and
// whatever the user did to it by hand is what counts.

#include "platform/login_start.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(LoginStart, TheEntryIsWrittenSeenAndRemovedAndAHandEditCounts) {
    const TempFolder scratch;
    // The desktop's autostart folder of this test (the registry of the test's own Wine prefix
    // on Windows).
    const ScopedEnvironment configHome(
        "XDG_CONFIG_HOME", QByteArray::fromStdString((scratch.path() / "config").string()));
    if (!LoginStartEntry().empty()) {
        GTEST_SKIP() << "this user's calendar already starts at login: " << LoginStartPlace();
    }
    const fs::path program = scratch.path() / "my $folder" / "Zelvar";
    const fs::path other = scratch.path() / "another copy" / "Zelvar";

    EXPECT_FALSE(LoginStartIsOn(program));
    EXPECT_EQ(SetLoginStart(program, false), "") << "removing what is not there succeeds";

    ASSERT_EQ(SetLoginStart(program, true), "");
    EXPECT_TRUE(LoginStartIsOn(program));
    EXPECT_FALSE(LoginStartIsOn(other)) << "the entry starts this copy only";
    EXPECT_TRUE(LoginStartIsOn(fs::path(program.generic_u8string())))
        << "the program named with slashes, as Qt names it";
    EXPECT_NE(LoginStartEntry().find("Zelvar"), std::string::npos) << LoginStartEntry();
    EXPECT_NE(LoginStartEntry().find("my "), std::string::npos) << LoginStartEntry();

    // Another copy switching its own start off leaves this one's entry alone.
    EXPECT_EQ(SetLoginStart(other, false), "");
    EXPECT_TRUE(LoginStartIsOn(program));

    // A desktop entry the user switched off by hand counts as off.
    const fs::path place = LoginStartPlace();
    if (fs::is_regular_file(place)) {
        std::ofstream(place, std::ios::app) << "Hidden=true\n";
        EXPECT_FALSE(LoginStartIsOn(program));
        ASSERT_EQ(SetLoginStart(program, true), "");
        EXPECT_TRUE(LoginStartIsOn(program));
        fs::remove(place);
        EXPECT_FALSE(LoginStartIsOn(program)) << "the entry removed by hand";
        ASSERT_EQ(SetLoginStart(program, true), "");
    }

    EXPECT_EQ(SetLoginStart(program, false), "");
    EXPECT_FALSE(LoginStartIsOn(program));
    EXPECT_EQ(LoginStartEntry(), "");
}
