#pragma once

// The parts of the safe replacement (file_replace.h) that differ between the systems. Each
// system's file_replace_<system>.cpp defines them; file_replace.cpp holds what both share.

#include "date/write_result.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

// The start of the name of every temporary file of `target`: hidden where a leading dot hides a
// file (".Korin1.csv.tmp"), else "Korin1.csv.tmp".
std::filesystem::path::string_type TemporaryPrefix(const std::filesystem::path& target);

// True only when the system says that no process `processId` runs; a process of another user,
// or one the system does not answer for, counts as running.
bool ProcessIsGone(std::uint32_t processId);

// Replaces the file at `requested` (links followed) through a temporary file beside it. A failure
// holds the error number and, where the system has more to say than the number, its words; the
// caller adds the path.
WriteResult ReplaceTarget(const std::filesystem::path& requested, std::string_view bytes);

// Shared by both systems' ReplaceTarget.

// The serial of the next temporary file of this process.
unsigned NextTemporarySerial();

// Removes the temporary files beside `target` that saves of processes no longer running left
// behind. Only regular files are removed; a failure leaves the file where it is.
void RemoveAbandonedTemporaries(const std::filesystem::path& target);
