#include "date/host.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Used until a program installs its own host: messages go to stderr, the end is exit status 2,
// the definition files are looked for in the current folder, and no file is ever replaced.
class FallbackHost final : public EngineHost {
public:
    void showError(const std::string& message) override {
        std::fprintf(stderr, "%s\n", message.c_str());
        std::fflush(stderr);
    }
    [[noreturn]] void endProgram() override { std::exit(2); }
    [[nodiscard]] std::string programFolder() const override { return "."; }
    [[nodiscard]] WriteResult replaceFile(const std::string&, std::string_view) override {
        return WriteResult::failed(ENOSYS);
    }
};

FallbackHost fallbackHost;
EngineHost* installedHost = nullptr;

} // namespace

std::string EngineHost::definitionFileToRead(const std::string& fileName) const {
    return programFolder() + "/" + fileName;
}

std::string EngineHost::definitionFileToWrite(const std::string& fileName) const {
    return programFolder() + "/" + fileName;
}

void SetEngineHost(EngineHost* host) {
    installedHost = host;
}

EngineHost& CurrentEngineHost() {
    return installedHost != nullptr ? *installedHost : fallbackHost;
}
