#pragma once

// The one way this system replaces a user's file (the definition files through the engine's
// host, and the settings file): the new contents go into a temporary file beside the target,
// are flushed to the disk, and the temporary file then takes the target's place in one step.
//
// - A symbolic link is followed: its target is replaced and the link stays a link.
// - A read-only target is refused with EACCES, even for a user who could bypass its permission.
// - The new file keeps the old one's permissions and, where the process may set them, its owner
//   and group (on Windows: its attributes).
// - Any failure (no space, an I/O error, no permission for the folder) leaves the old file
//   exactly as it was and removes the temporary file.

#include <filesystem>
#include <string_view>

// Replaces the file at `path` (created when absent) by `bytes`. Returns 0, or the error number
// of the failure (errno values on every system: EACCES, ENOSPC, EISDIR, ...).
int ReplaceFileSafely(const std::filesystem::path& path, std::string_view bytes);
