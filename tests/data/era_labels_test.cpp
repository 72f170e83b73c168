// `korin label` over the shipped era file: the era label of a month as the month view shows it.

#include "tests/support/run_program.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string labelOf(const std::string& year, const std::string& month) {
    const ProgramResult run = runProgram(korinCommand() + " label " + year + " " + month);
    EXPECT_EQ(run.exitCode, 0) << year << " " << month;
    return run.output;
}

TEST(EraLabels, KorinLabelNamesTheEraInForceAtTheEndOfTheMonth) {
    const std::vector<std::pair<std::pair<std::string, std::string>, std::string>> cases = {
        {{"2019", "5"}, "令和元年\n"},  {{"2019", "4"}, "平成31年\n"},
        {{"1989", "1"}, "平成元年\n"},  {{"1926", "12"}, "昭和元年\n"},
        {{"1912", "7"}, "大正元年\n"},  {{"1868", "1"}, "明治元年\n"},
        {{"1867", "12"}, "慶応 3年\n"}, {{"2026", "12"}, "令和 8年\n"},
        {{"645", "6"}, "大化元年\n"},   {{"9999", "12"}, "令和7981年\n"},
    };
    for (const auto& [yearMonth, label] : cases) {
        EXPECT_EQ(labelOf(yearMonth.first, yearMonth.second), label)
            << yearMonth.first << " " << yearMonth.second;
    }
    // Before 大化 began on the 19th of the sixth month of 645 there is no era.
    EXPECT_EQ(labelOf("645", "5"), "");
    EXPECT_EQ(labelOf("644", "12"), "");
}

} // namespace
