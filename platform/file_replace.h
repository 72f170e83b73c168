#pragma once

// The one way this system replaces a user's file (the definition files through the engine's
// host, and the settings file): the new contents go into a temporary file beside the target,
// are flushed to the disk, and the temporary file then takes the target's place in one step.
//
// - A symbolic link is followed: its target is replaced and the link stays a link.
// - A read-only target is refused with EACCES, even for a user who could bypass its permission.
// - A target that another program holds open (on Windows a virus scanner, the search indexer or a
//   synchronised folder may, for a moment) is tried again for up to two seconds; held longer,
//   the replacement fails with EBUSY, whose words (FileInUseText) say so.
// - The new file keeps the old one's permissions and, where the process may set them, its owner
//   and group (on Windows: its attributes).
// - Any failure (no space, an I/O error, no permission for the folder) leaves the old file
//   exactly as it was and removes the temporary file.
// - Temporary files that a save of the same file left behind when its process ended before the
//   replacement (a crash, a kill) are removed by the next save; those of a process that still
//   runs are left alone.

#include "date/write_result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Replaces the file at `path` (created when absent) by `bytes`. A failure comes back with its
// error number (errno values on every system: EACCES, ENOSPC, EISDIR, ...), `path` and the
// system's words for the error.
WriteResult ReplaceFileSafely(const std::filesystem::path& path, std::string_view bytes);

// The failure of a write of `path` with `errorNumber`, in the system's words.
WriteResult FailedWrite(const std::filesystem::path& path, int errorNumber);

// The words of a failure with EBUSY on Windows: another program has the file open.
inline constexpr std::string_view FileInUseText =
    "ほかのプログラムがこのファイルを使用中のため、書き込めませんでした。"
    "そのプログラムがファイルを閉じてから、もう一度保存してください。";

// The system's own words for the error number `errorNumber` of a failure of this process (UTF-8,
// in the user's language where the system has it).
std::string SystemErrorText(int errorNumber);

// The temporary file that save number `serial` of process `processId` writes beside `target`
// (the target's own folder, links already followed).
std::filesystem::path TemporaryFileFor(const std::filesystem::path& target, std::uint32_t processId,
                                       unsigned serial);
