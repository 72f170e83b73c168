#pragma once

// What a program needs from the system before Qt (or without it): the folder of the running
// executable, the calendar time of a moment, and standard output that carries bytes unchanged.

#include <ctime>
#include <string>

// The folder that holds the running executable, in UTF-8: from the system's own record of it
// (GetModuleFileNameW on Windows, /proc/self/exe on Linux), else from `argv0` made absolute.
// "." when nothing names it.
[[nodiscard]] std::string RunningProgramFolder(const char* argv0);

// The local and the UTC calendar time of `time`; all fields 0 when the system cannot convert it.
[[nodiscard]] std::tm LocalTimeOf(std::time_t time);
[[nodiscard]] std::tm UtcTimeOf(std::time_t time);

// Makes standard output and standard error pass bytes as they are (no CR added before LF on
// Windows) and, on a Windows console, show UTF-8 as text; the console's own code page comes back
// when the program ends. Nothing to do elsewhere.
void UseBinaryUtf8StandardStreams();
