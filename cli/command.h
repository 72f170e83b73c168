#pragma once

// The commands of `korin`. Each command is one entry of the table in main.cpp: its name, how it
// is called, one line for the help text, whether it needs the definition files, and the function
// that runs it.

#include <stdexcept>
#include <string>
#include <vector>

// Runs a command with the arguments that follow its name. The command appends what it prints to
// `out` (written to standard output once it returns, so a failure half way prints nothing) and
// returns the exit status. Messages of the date engine go to standard error by themselves.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::string& out);

struct Command {
    const char* name;      // "holidays"
    const char* synopsis;  // "holidays FIRST [LAST]"
    const char* summary;   // one line of the help text
    bool readsDefinitions; // load Korin1.csv and Korin2.csv before running
    CommandFunction run;
};

// Thrown for malformed arguments: korin prints the message and the usage text to standard error
// and ends with exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The built-in commands (cli/date_commands.cpp).
int RunHolidays(const std::vector<std::string>& args, std::string& out);
int RunName(const std::vector<std::string>& args, std::string& out);
int RunEra(const std::vector<std::string>& args, std::string& out);
int RunLabel(const std::vector<std::string>& args, std::string& out);
int RunAdd(const std::vector<std::string>& args, std::string& out);
int RunBetween(const std::vector<std::string>& args, std::string& out);
int RunSpan(const std::vector<std::string>& args, std::string& out);

// korin check FILE (cli/check_command.cpp): exit status 0 when the definitions agree with the
// list, 1 when they differ, 2 when the list cannot be read.
int RunCheck(const std::vector<std::string>& args, std::string& out);
