// korin's text in a Windows console: the console's call gets it as wide characters, so it shows
// whole whatever the console's code page.

#include "platform/program_environment.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

std::wstring consoleText;
void* consoleWritten = nullptr;

ConsoleWrite recordConsole(void* console, std::wstring_view text) {
    consoleWritten = console;
    consoleText += text;
    return ConsoleWrite::Written;
}

} // namespace

TEST(WindowsConsole, JapaneseTextReachesAConsoleAsWideCharacters) {
    SetConsoleWriter(recordConsole);
    EXPECT_TRUE(WriteStandardText(StandardStream::Output, "2026/01/01\t(木)\t元日\n"));
    EXPECT_TRUE(WriteStandardText(StandardStream::Error, "korin: 令和\n"));
    SetConsoleWriter(nullptr);
    EXPECT_EQ(consoleWritten, GetStdHandle(STD_ERROR_HANDLE));
    EXPECT_EQ(consoleText, L"2026/01/01\t(木)\t元日\nkorin: 令和\n");
}
