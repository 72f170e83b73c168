#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away. Tests put definition files into it and point the engine host at it.

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

class TempFolder {
public:
    // The name is random; a folder that already exists is never reused (create_directory says
    // whether it made the folder).
    TempFolder() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate =
                base / ("zelvar_" + std::to_string(random() % 1000000007));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                path_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::string str() const { return path_.string(); }

    // Writes `bytes` as they are into the file `name` of the folder.
    void write(const std::string& name, std::string_view bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + name);
        }
    }

    // The bytes of the file `name` of the folder (empty when it cannot be read).
    [[nodiscard]] std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Copies every file of `fixtureFolder` into the folder.
    void copyFrom(const std::filesystem::path& fixtureFolder) const {
        for (const auto& entry : std::filesystem::directory_iterator(fixtureFolder)) {
            std::filesystem::copy_file(entry.path(), path_ / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

private:
    std::filesystem::path path_;
};
