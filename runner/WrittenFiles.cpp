#include "runner/WrittenFiles.h"

#include <algorithm>
#include <filesystem>

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
        std::error_code ignored;
        if (!fs::exists(fs::symlink_status(fs::path(dir) / name, ignored))) {
            unfinished_.push_back((fs::path(dir) / name).string());
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
