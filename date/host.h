#pragma once

#include "date/write_result.h"

#include <string>
#include <string_view>

// What the date engine needs from the program that runs it. The engine never talks to a window
// system itself: it shows its error messages and ends the program only through this interface.
// Each program installs its real host at start; tests install one that records the messages and
// turns endProgram() into an exception.
class EngineHost {
public:
    virtual ~EngineHost() = default;

    // Shows `message` (UTF-8) in a modal box with the error icon, an OK button and the program's
    // title as caption, and returns when the user has closed it.
    virtual void showError(const std::string& message) = 0;

    // Ends the program at once: no window is closed in the ordinary way and nothing is saved.
    [[noreturn]] virtual void endProgram() = 0;

    // The folder that holds the running program (UTF-8, without a trailing separator); the
    // definition files lie there.
    [[nodiscard]] virtual std::string programFolder() const = 0;

    // Replaces the whole file at `path` (UTF-8) by `bytes` in one step, or leaves it exactly as
    // it was: a link is written through to its target, and a read-only file is refused (EACCES).
    // A failure comes back with the system's error number, the path it refused and its words.
    [[nodiscard]] virtual WriteResult replaceFile(const std::string& path,
                                                  std::string_view bytes) = 0;

    // The definition file `fileName` ("Korin1.csv") to read, and the one to write (UTF-8 paths).
    // Both lie in programFolder() unless the program keeps the user's files elsewhere; the
    // folder of the file to write is created when missing.
    [[nodiscard]] virtual std::string definitionFileToRead(const std::string& fileName) const;
    [[nodiscard]] virtual std::string definitionFileToWrite(const std::string& fileName) const;
};

// Installs `host` (not owned; it must outlive its use). nullptr restores the fallback host, which
// writes messages to stderr, ends the program with exit status 2, uses the current folder and
// replaces no file (ENOSYS).
void SetEngineHost(EngineHost* host);

// The installed host, or the fallback.
EngineHost& CurrentEngineHost();
