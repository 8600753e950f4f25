#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <string>

namespace vq3::test {

// A shell script the tests can run as a program.
inline void WriteProgram(const std::filesystem::path& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_exec |
                                           std::filesystem::perms::others_exec);
}

} // namespace vq3::test
