#include "ui/FileIntake.h"

namespace vq3 {

namespace {

std::string NotInAppDirMessage(const std::string& name, const std::string& appDir) {
    return "The file '" + name + "' is not in the application's directory, '" + appDir + "'.";
}

std::string ListFullMessage(size_t leftOut) {
    return "The list holds at most 32,767 files, so " + std::to_string(leftOut) +
           (leftOut == 1 ? " dropped file was" : " dropped files were") + " not added.";
}

} // namespace

std::vector<size_t> AcceptDroppedFiles(const std::vector<std::string>& paths,
                                       const std::string& appDir, int room, Platform& platform,
                                       const PathRules& rules) {
    std::vector<size_t> admitted;
    size_t leftOut = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string name = rules.GetFileName(paths[i]);
        if (!platform.FileExists(rules.JoinPath(appDir, name))) {
            platform.ShowMessage(NotInAppDirMessage(name, appDir));
        } else if (static_cast<int>(admitted.size()) < room) {
            admitted.push_back(i);
        } else {
            ++leftOut;
        }
    }
    if (leftOut > 0) {
        platform.ShowMessage(ListFullMessage(leftOut));
    }
    return admitted;
}

} // namespace vq3
