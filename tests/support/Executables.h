#pragma once

#include "support/TempDir.h"

namespace vq3::test {

// A shell script the tests can run as a program.
inline void WriteProgram(const std::filesystem::path& path, const std::string& body) {
    WriteFile(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms(0755));
}

} // namespace vq3::test
