#pragma once

// What a write of one of the user's files came to. Writers return it; the window that asked for
// the write turns a failure into the message that reports it.

#include <cstdint>
#include <filesystem>
#include <string>

struct WriteResult {
    int error = 0;              // 0 = written; else the error number (errno values on every system)
    std::int32_t record = 0;    // the record (1-based) whose text stopped the write; 0 = none
    std::filesystem::path path; // what the file system refused: the file, or the folder that
                                // could not be made; empty when the failure has no path
    std::string reason;         // the system's words for the failure (UTF-8); empty when none

    [[nodiscard]] bool written() const { return error == 0; }

    // A failure with `errorNumber` alone: no record, no path, no words.
    [[nodiscard]] static WriteResult failed(int errorNumber) {
        WriteResult result;
        result.error = errorNumber;
        return result;
    }
};
