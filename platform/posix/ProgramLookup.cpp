#include "platform/posix/ProgramLookup.h"

#include "platform/Files.h"
#include "platform/PathRules.h"
#include "platform/ProgramLookup.h"
#include "platform/Text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vq3 {

namespace {

namespace fs = std::filesystem;

// Asked for the user who runs the script, as the system will ask when it starts the program.
bool IsExecutableFile(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored) && access(path.c_str(), X_OK) == 0;
}

// Windows programs start with the "MZ" of their DOS header.
bool IsWindowsProgram(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    return file.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

std::optional<fs::path> OnSearchPath(const std::string& name, const std::string& searchPath) {
    std::stringstream folders(searchPath);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::string WithoutExe(const std::string& name) {
    if (name.size() > 4 && LowerAscii(std::string_view(name).substr(name.size() - 4)) == ".exe") {
        return name.substr(0, name.size() - 4);
    }
    return name;
}

} // namespace

std::optional<std::vector<std::string>>
FindProgram(const std::string& name, const std::string& workingDir, const std::string& searchPath) {
    if (name.empty()) {
        return std::nullopt;
    }
    const fs::path local = fs::path(workingDir) / name;
    std::error_code ignored;
    if (fs::is_regular_file(local, ignored)) {
        if (IsWindowsProgram(local)) {
            if (const auto wine = OnSearchPath("wine", searchPath)) {
                return std::vector<std::string>{wine->string(), local.string()};
            }
        } else if (IsExecutableFile(local)) {
            return std::vector<std::string>{local.string()};
        }
    }
    const std::string bare = WithoutExe(name);
    if (bare != name && IsExecutableFile(fs::path(workingDir) / bare)) {
        return std::vector<std::string>{(fs::path(workingDir) / bare).string()};
    }
    // Like a shell, a name with a folder in it is not looked for on the search path.
    if (bare.find('/') != std::string::npos) {
        return std::nullopt;
    }
    if (const auto found = OnSearchPath(bare, searchPath)) {
        return std::vector<std::string>{found->string()};
    }
    return std::nullopt;
}

std::string SystemSearchPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

ProgramState LookUpScriptProgram(const std::string& name, const std::string& appDir) {
    if (FindProgram(name, appDir, SystemSearchPath())) {
        return ProgramState::Usable;
    }
    return FileExists(PathRules::Posix().JoinPath(appDir, name)) ? ProgramState::CannotRun
                                                                 : ProgramState::Missing;
}

} // namespace vq3
