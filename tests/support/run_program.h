#pragma once

// Runs a program through the shell and captures what it writes to standard output.

#include <cstdio>
#include <string>
#include <sys/wait.h>

struct ProgramResult {
    std::string output; // standard output, byte for byte
    int exitCode = -1;  // -1 when the program could not be run or did not exit normally
};

// Runs `command` through the shell. Standard error is left to the test's log.
inline ProgramResult runProgram(const std::string& command) {
    ProgramResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, n);
    }
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

// The path of `korin` in the build's program folder, quoted for the shell.
inline std::string korinCommand() {
    return std::string("'") + ZELVAR_BIN_DIR + "/korin'";
}
