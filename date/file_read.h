#pragma once

// Reading a whole file, in standard C++ only: used for the definition files and the settings
// file. Only regular files are read (after following links): a named pipe or a device in a
// file's place is refused at once instead of blocking or growing without end, and a file larger
// than the caller's limit is refused without being read.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A path from UTF-8 text (the engine's text everywhere), on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// What a file looked like when it was read: two stamps are equal only when the file was not
// changed, replaced or removed in between.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::uint64_t hash = 0; // FNV-1a of the bytes
    bool operator==(const FileStamp&) const = default;
};

enum class FileReadStatus {
    Read,        // `bytes` holds the whole file
    Missing,     // nothing (or a folder) of that name
    NotReadable, // not a regular file, no permission, or an error while reading
    TooLarge,    // larger than the limit
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;
    FileStamp stamp; // of what was read; `exists` is false unless status is Read
};

// Reads the whole file at `path` when it is a regular file of at most `maxBytes` bytes.
FileReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// The stamp of the file at `path` as it is now (its bytes read again, up to `maxBytes`; a
// file that cannot be read gives a stamp that exists but matches no read one).
FileStamp CurrentFileStamp(const std::filesystem::path& path, std::uintmax_t maxBytes);
