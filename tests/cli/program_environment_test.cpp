#include "platform/program_environment.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

TEST(ProgramEnvironment, TheProgramFolderIsTheRunningExecutablesWhateverArgv0Says) {
    const fs::path folder = fs::u8path(RunningProgramFolder("elsewhere/not-this-program"));
    ASSERT_TRUE(folder.is_absolute()) << folder;
    bool found = false;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found = found || entry.path().stem() == "program_environment_test";
    }
    EXPECT_TRUE(found) << folder << " does not hold this test program";
}

TEST(ProgramEnvironment, CalendarTimesOfAMoment) {
    const std::time_t leapDayNoon = 951825600; // 2000-02-29 12:00:00 UTC, a Tuesday
    const std::tm utc = UtcTimeOf(leapDayNoon);
    EXPECT_EQ(utc.tm_year, 100);
    EXPECT_EQ(utc.tm_mon, 1);
    EXPECT_EQ(utc.tm_mday, 29);
    EXPECT_EQ(utc.tm_hour, 12);
    EXPECT_EQ(utc.tm_wday, 2);
    const std::tm epoch = UtcTimeOf(0);
    EXPECT_EQ(epoch.tm_year, 70);
    EXPECT_EQ(epoch.tm_yday, 0);
    // The local time is the same moment: the system converts it back to the same count.
    std::tm local = LocalTimeOf(leapDayNoon);
    EXPECT_EQ(std::mktime(&local), leapDayNoon);
}
