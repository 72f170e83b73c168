#pragma once

// An engine host for tests: records every message, turns "end the program" into an exception and
// points the definition files at a folder of the test's choosing. Installs itself on
// construction and restores the fallback host on destruction.

#include "date/file_read.h"
#include "date/host.h"
#include "platform/file_replace.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("the program ended") {}
};

class RecordingHost final : public EngineHost {
public:
    explicit RecordingHost(std::string folder = ".") : folder_(std::move(folder)) {
        SetEngineHost(this);
    }
    ~RecordingHost() override { SetEngineHost(nullptr); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    void showError(const std::string& message) override { messages.push_back(message); }
    [[noreturn]] void endProgram() override { throw ProgramEnded(); }
    [[nodiscard]] std::string programFolder() const override { return folder_; }
    [[nodiscard]] WriteResult replaceFile(const std::string& path,
                                          std::string_view bytes) override {
        return ReplaceFileSafely(PathFromUtf8(path), bytes);
    }
    void setFolder(std::string folder) { folder_ = std::move(folder); }

    std::vector<std::string> messages;

private:
    std::string folder_;
};
