#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vq3 {

// Finds the program a script names by a bare name such as "madplay.exe", in this order:
// the name in the working directory (a Windows program there runs through wine, when wine
// is installed); the name without ".exe" in the working directory; the name without ".exe"
// on the search path. Returns the command words to run it with, or nothing.
std::optional<std::vector<std::string>>
FindProgram(const std::string& name, const std::string& workingDir, const std::string& searchPath);

// The folders programs are looked for in: PATH, or the system's own when it is not set.
std::string SystemSearchPath();

} // namespace vq3
