#include "runner/WrittenFiles.h"

#include "runner/ScriptSyntax.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace vq3::runner {

namespace fs = std::filesystem;

namespace {

void RemoveFrom(std::vector<std::string>& paths, size_t from) {
    for (size_t i = from; i < paths.size(); ++i) {
        std::error_code ignored;
        fs::remove(paths[i], ignored);
    }
    paths.resize(std::min(from, paths.size()));
}

} // namespace

std::string WrittenFiles::DecodedWave(const std::vector<std::string>& args) const {
    for (const auto& arg : args) {
        if (arg.starts_with(vocabulary_.decodedWavePrefix)) {
            return arg.substr(vocabulary_.decodedWavePrefix.size());
        }
    }
    return "";
}

void WrittenFiles::ProgramStarting(const std::vector<std::string>& args, const std::string& dir) {
    lastProgramFrom_ = unfinished_.size();
    const std::string decodedWave = DecodedWave(args);
    // The program does not write itself.
    for (auto arg = args.begin() + std::min<size_t>(1, args.size()); arg != args.end(); ++arg) {
        const std::string name =
            arg->starts_with(vocabulary_.decodedWavePrefix) ? decodedWave : *arg;
        // Options and numbers (and nothing) name no file: not looked for, never removed.
        if (name.starts_with('-') || name.find_first_not_of("0123456789") == std::string::npos) {
            continue;
        }
        // Only what is certainly not there yet: a file that cannot be looked at may be the user's.
        std::string path = InFolder(dir, name);
        if (struct stat info{};
            lstat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
            unfinished_.push_back(std::move(path));
        }
    }
}

void WrittenFiles::ProgramFailed() {
    RemoveFrom(unfinished_, lastProgramFrom_);
}

void WrittenFiles::TrackFinished() {
    unfinished_.clear();
    lastProgramFrom_ = 0;
}

void WrittenFiles::RemoveUnfinished() {
    RemoveFrom(unfinished_, 0);
}

} // namespace vq3::runner
