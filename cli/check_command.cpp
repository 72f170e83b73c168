// korin check FILE: the loaded definitions against the government's list of holidays.

#include "cli/arguments.h"
#include "cli/command.h"
#include "date/holiday_check.h"
#include "date/official_list.h"
#include "platform/program_environment.h"

#include <string>
#include <vector>

int RunCheck(const std::vector<std::string>& args, std::string& out) {
    RequireArgumentCount(args, 1, 1);
    const std::string& file = args[0];
    const OfficialList list = ReadOfficialListFile(file);
    if (list.error) {
        (void)WriteStandardText(StandardStream::Error,
                                "korin: " + OfficialListProblemText(file, *list.error) + "\n");
        return 2;
    }
    for (const OfficialListProblem& warning : list.warnings) {
        (void)WriteStandardText(StandardStream::Error,
                                "korin: 警告: " + OfficialListProblemText(file, warning) + "\n");
    }
    const HolidayCheck check = CheckHolidays(list.days);
    if (check.differences.empty()) {
        return 0;
    }
    out += HolidayCheckSummary(check) + "\n" + HolidayCheckDetails(check);
    return 1;
}
