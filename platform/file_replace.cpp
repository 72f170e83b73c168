#include "platform/file_replace.h"

#include "platform/file_replace_internal.h"

#include <atomic>
#include <climits>
#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Numbers the temporary files of this process.
std::atomic<unsigned> temporaryCounter{0};

// The process that wrote the temporary file `name` of a target with `prefix`: the digits
// between the prefix and "_", when the rest of the name is digits as well.
std::optional<std::uint32_t> temporaryOwner(const fs::path::string_type& name,
                                            const fs::path::string_type& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return std::nullopt;
    }
    std::uint64_t owner = 0;
    std::size_t i = prefix.size();
    const std::size_t digitsStart = i;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        owner = owner * 10 + static_cast<std::uint64_t>(name[i] - '0');
        if (owner > UINT32_MAX) {
            return std::nullopt;
        }
    }
    if (i == digitsStart || i >= name.size() || name[i] != '_' || i + 1 == name.size()) {
        return std::nullopt;
    }
    for (++i; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(owner);
}

} // namespace

unsigned NextTemporarySerial() {
    return temporaryCounter++;
}

void RemoveAbandonedTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const fs::path::string_type prefix = TemporaryPrefix(target);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::optional<std::uint32_t> owner =
            temporaryOwner(it->path().filename().native(), prefix);
        std::error_code statusError;
        if (owner && fs::is_regular_file(it->symlink_status(statusError)) &&
            ProcessIsGone(*owner)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

WriteResult ReplaceFileSafely(const fs::path& path, std::string_view bytes) {
    WriteResult result = ReplaceTarget(path, bytes);
    if (!result.written()) {
        result.path = path;
        if (result.reason.empty()) {
            result.reason = SystemErrorText(result.error);
        }
    }
    return result;
}

WriteResult FailedWrite(const fs::path& path, int errorNumber) {
    WriteResult result = WriteResult::failed(errorNumber);
    result.path = path;
    result.reason = SystemErrorText(errorNumber);
    return result;
}

fs::path TemporaryFileFor(const fs::path& target, std::uint32_t processId, unsigned serial) {
    fs::path name(TemporaryPrefix(target));
    name += std::to_string(processId) + "_" + std::to_string(serial);
    return target.has_parent_path() ? target.parent_path() / name : name;
}
