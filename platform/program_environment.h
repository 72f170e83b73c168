#pragma once

// What a program needs from the system before Qt (or without it): the folder of the running
// executable, the calendar time of a moment, the arguments as the user typed them, and standard
// output that carries bytes unchanged to a file and text to a console.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The folder that holds the running executable, in UTF-8: from the system's own record of it
// (GetModuleFileNameW on Windows, /proc/self/exe on Linux), else from `argv0` made absolute.
// "." when nothing names it.
[[nodiscard]] std::string RunningProgramFolder(const char* argv0);

// The local and the UTC calendar time of `time`; all fields 0 when the system cannot convert it.
[[nodiscard]] std::tm LocalTimeOf(std::time_t time);
[[nodiscard]] std::tm UtcTimeOf(std::time_t time);

// Makes standard output and standard error pass bytes as they are (no CR added before LF on
// Windows). Nothing to do elsewhere.
void UseBinaryUtf8StandardStreams();

// The program's arguments after its name, in UTF-8. On Windows they are taken from the wide
// command line, so that a name outside the ANSI code page (a folder "日本") arrives whole;
// elsewhere they are argv as it is.
[[nodiscard]] std::vector<std::string> CommandLineArguments(int argc, char** argv);

enum class StandardStream { Output, Error };

// Writes the UTF-8 `text` to standard output or standard error and flushes it. A Windows console
// gets it as wide characters (WriteConsoleW), so it shows whatever the console's code page;
// a file or a pipe gets the UTF-8 bytes unchanged. False when the text did not all get there
// (a full disk, a closed pipe), with errno set.
bool WriteStandardText(StandardStream stream, std::string_view text);

// What a standard stream's handle did with wide characters: it is no console (the text then goes
// to it as UTF-8 bytes), or a console took them, or a console refused them.
enum class ConsoleWrite { NotAConsole, Written, Failed };

// The call that puts wide characters on a console when the stream's handle `console` is one (on
// Windows GetConsoleMode and WriteConsoleW). Tests put their own in its place to see what a
// console gets; nullptr puts the system's back.
using ConsoleWriter = ConsoleWrite (*)(void* console, std::wstring_view text);
void SetConsoleWriter(ConsoleWriter writer);
