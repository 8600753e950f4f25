#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace vq3::test {

// The names of everything in a folder, to show that a run left no file it should not have.
inline std::set<std::string> FilesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

} // namespace vq3::test
