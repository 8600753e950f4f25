#pragma once

#include "platform/Files.h"

#include <fstream>
#include <iterator>
#include <random>
#include <set>

namespace vq3::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("vq3test-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Paths as the program keeps them: UTF-8 text.
    std::string Str() const { return Utf8Of(path_); }
    std::string operator/(const std::string& name) const { return Utf8Of(path_ / FsPath(name)); }

private:
    std::filesystem::path path_;
};

// The names of everything in a folder, to show that a run left no file it should not have.
inline std::set<std::string> FilesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline std::string ReadFile(const std::string& utf8Path) {
    return ReadFile(FsPath(utf8Path));
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}
inline void WriteFile(const std::string& utf8Path, const std::string& content) {
    WriteFile(FsPath(utf8Path), content);
}

} // namespace vq3::test
