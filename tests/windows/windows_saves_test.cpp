// Saves and start-up on a Windows desktop where other programs open files for a moment: a save
// waits for a file another program holds open without sharing and succeeds once it is let go;
// held longer, it fails with its own words, not those of a read-only file. Finding the
// programs' folders writes nothing into the program's folder.

#include "platform/file_locations.h"
#include "platform/file_replace.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Whether `folder` holds a file other than `file`: the save's temporary file.
bool temporaryFileIn(const fs::path& folder, const fs::path& file) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path() != file) {
            return true;
        }
    }
    return false;
}

// Another program's handle on a file: opened without any sharing, closed when released.
class Holder {
public:
    explicit Holder(const fs::path& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    ~Holder() { release(); }
    [[nodiscard]] bool holds() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

} // namespace

TEST(WindowsSaves, AFileHeldForAMomentIsSavedAndOneHeldLongerIsReportedAsInUse) {
    TempFolder folder;
    const fs::path file = folder.path() / "Korin1.csv";
    writeFile(file, "old\r\n");

    // Held while the save begins and for a moment after its temporary file is written, so that
    // its first attempt to take the file's place meets the holder; the save waits and succeeds.
    {
        Holder holder(file);
        ASSERT_TRUE(holder.holds()) << GetLastError();
        auto save =
            std::async(std::launch::async, [&] { return ReplaceFileSafely(file, "new\r\n"); });
        const auto limit = std::chrono::steady_clock::now() + 60s;
        while (save.wait_for(0s) != std::future_status::ready &&
               !temporaryFileIn(folder.path(), file) && std::chrono::steady_clock::now() < limit) {
            std::this_thread::yield();
        }
        // The moment another program keeps it: well within the save's wait, not an assertion's.
        std::this_thread::sleep_for(500ms);
        holder.release();
        const WriteResult saved = save.get();
        EXPECT_EQ(saved.error, 0) << saved.reason;
        EXPECT_EQ(contents(file), "new\r\n");
        EXPECT_FALSE(temporaryFileIn(folder.path(), file));
    }

    // Held for the whole save: the save gives up, says that another program uses the file, and
    // leaves it as it was.
    std::string inUseReason;
    {
        Holder holder(file);
        ASSERT_TRUE(holder.holds()) << GetLastError();
        const WriteResult failure = ReplaceFileSafely(file, "newer\r\n");
        EXPECT_EQ(failure.error, EBUSY);
        EXPECT_EQ(failure.path, file);
        inUseReason = failure.reason;
        EXPECT_EQ(inUseReason, std::string(FileInUseText));
    }
    EXPECT_EQ(contents(file), "new\r\n");
    EXPECT_FALSE(temporaryFileIn(folder.path(), file));

    // A read-only file is refused at once, in other words.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    const WriteResult readOnly = ReplaceFileSafely(file, "newest\r\n");
    EXPECT_EQ(readOnly.error, EACCES);
    EXPECT_NE(readOnly.reason, inUseReason);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(contents(file), "new\r\n");
}

TEST(WindowsLocations, FindingTheFoldersWritesNothingIntoTheProgramFolder) {
    TempFolder folder;
    writeFile(folder.path() / "Korin1.csv", "x\r\n");
    HANDLE watched =
        CreateFileW(folder.path().c_str(), FILE_LIST_DIRECTORY,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(watched, INVALID_HANDLE_VALUE) << GetLastError();
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    alignas(DWORD) std::vector<unsigned char> changes(64 * 1024);
    auto watch = [&] {
        ResetEvent(overlapped.hEvent);
        return ReadDirectoryChangesW(watched, changes.data(), static_cast<DWORD>(changes.size()),
                                     FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped,
                                     nullptr) != FALSE;
    };
    ASSERT_TRUE(watch()) << GetLastError();

    const FileLocations locations = FindFileLocations(folder.path());
    EXPECT_TRUE(locations.besideProgram) << "a writable folder without the marker is the user's";

    // A file of the test's own marks the end: every name the folder saw before it came from
    // finding the folders.
    writeFile(folder.path() / "end-mark", "");
    std::vector<std::wstring> seen;
    bool ended = false;
    while (!ended) {
        DWORD bytes = 0;
        ASSERT_EQ(WaitForSingleObject(overlapped.hEvent, 60000), WAIT_OBJECT_0);
        ASSERT_TRUE(GetOverlappedResult(watched, &overlapped, &bytes, FALSE));
        ASSERT_GT(bytes, 0U) << "the change list overflowed";
        for (std::size_t offset = 0;;) {
            const auto* change =
                reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes.data() + offset);
            const std::wstring name(change->FileName, change->FileNameLength / sizeof(wchar_t));
            ended = ended || name == L"end-mark";
            if (!ended) {
                seen.push_back(name);
            }
            if (change->NextEntryOffset == 0) {
                break;
            }
            offset += change->NextEntryOffset;
        }
        if (!ended) {
            ASSERT_TRUE(watch()) << GetLastError();
        }
    }
    CancelIo(watched);
    CloseHandle(overlapped.hEvent);
    CloseHandle(watched);
    EXPECT_TRUE(seen.empty()) << "a file was made in the program folder: "
                              << fs::path(seen.front()).string();
}
