// korin check FILE: the loaded definitions against the government's list of holidays.

#include "cli/arguments.h"
#include "cli/command.h"
#include "date/holiday_check.h"
#include "date/official_list.h"

#include <cstdio>
#include <string>
#include <vector>

int RunCheck(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 1, 1);
    const std::string& file = args[0];
    const OfficialList list = ReadOfficialListFile(file);
    if (list.error) {
        std::fprintf(stderr, "korin: %s\n", OfficialListProblemText(file, *list.error).c_str());
        return 2;
    }
    for (const OfficialListProblem& warning : list.warnings) {
        std::fprintf(stderr, "korin: 警告: %s\n", OfficialListProblemText(file, warning).c_str());
    }
    const HolidayCheck check = CheckHolidays(list.days);
    if (check.differences.empty()) {
        return 0;
    }
    out += HolidayCheckSummary(check) + "\n" + HolidayCheckDetails(check);
    return 1;
}
