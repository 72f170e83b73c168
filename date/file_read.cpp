#include "date/file_read.h"

#include <fstream>
#include <system_error>

namespace {

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

FileReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    FileReadResult result;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) {
        return result;
    }
    result.status = FileReadStatus::NotReadable;
    // Opening a named pipe waits for a writer, and a device never ends: neither is opened.
    if (!std::filesystem::is_regular_file(status)) {
        return result;
    }
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(path, ec);
    if (ec) {
        return result;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        return result;
    }
    if (size > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return result;
    }
    // The file may grow while it is read: never more than the limit is taken.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const std::streamsize n = in.gcount();
        if (n <= 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            result.status = FileReadStatus::TooLarge;
            return result;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (in.bad()) {
        return result;
    }
    result.status = FileReadStatus::Read;
    result.stamp = FileStamp{true, bytes.size(), modified, fnv1a(bytes)};
    result.bytes = std::move(bytes);
    return result;
}

FileStamp CurrentFileStamp(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    FileReadResult read = ReadWholeFile(path, maxBytes);
    if (read.status == FileReadStatus::Read) {
        return read.stamp;
    }
    FileStamp stamp;
    std::error_code ec;
    stamp.exists = std::filesystem::exists(std::filesystem::status(path, ec));
    // Never equal to a stamp of a file that was read.
    stamp.hash = static_cast<std::uint64_t>(read.status);
    stamp.size = static_cast<std::uintmax_t>(-1);
    return stamp;
}
