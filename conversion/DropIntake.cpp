#include "conversion/DropIntake.h"

#include "conversion/Messages.h"
#include "conversion/Script.h"
#include "platform/Files.h"

namespace vq3 {

namespace {

// A drop of thousands of strangers must not cost thousands of clicks.
constexpr size_t RefusalsShownOneByOne = 10;

} // namespace

void AcceptDroppedFiles(const std::vector<DroppedFile>& files, const std::string& appDir, int room,
                        Platform& platform, const AppendToList& append, const PathRules& rules) {
    std::vector<size_t> batch;
    const auto flush = [&] {
        if (!batch.empty()) {
            append(batch);
            batch.clear();
        }
    };
    size_t leftOut = 0;
    size_t refused = 0;
    std::vector<std::string> notInAppDirLater;
    std::vector<std::string> shortLater;
    std::vector<std::string> unusableLater;
    const PlatformWords& words = WordsFor(rules);
    const auto refuse = [&](const std::string& name, const std::string& message,
                            std::vector<std::string>& later) {
        if (++refused > RefusalsShownOneByOne) {
            later.push_back(name);
            return;
        }
        flush();
        platform.ShowMessage(message);
    };
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = rules.GetFileName(files[i].path);
        if (files[i].elsewhere || !FileExists(rules.JoinPath(appDir, name))) {
            refuse(name, NotInAppDirMessage(name, appDir), notInAppDirLater);
        } else if (CharacterCount(name) < 3) {
            // Its settings file, the path less three characters, would land outside appDir.
            refuse(name, ShortNameMessage(name), shortLater);
        } else if (ClassifyTrack(files[i].path) != TrackKind::Other && !ScriptCanNameTrack(name)) {
            // Listed, it could never be converted, and nothing takes an entry off the list.
            refuse(name, UnusableNameMessage(name, words), unusableLater);
        } else if (room > 0) {
            batch.push_back(i);
            --room;
        } else {
            ++leftOut;
        }
    }
    flush();
    if (!notInAppDirLater.empty()) {
        platform.ShowMessage(MoreNotInAppDirMessage(notInAppDirLater, appDir));
    }
    if (!shortLater.empty()) {
        platform.ShowMessage(MoreShortNamesMessage(shortLater));
    }
    if (!unusableLater.empty()) {
        platform.ShowMessage(MoreUnusableNamesMessage(unusableLater, words));
    }
    if (leftOut > 0) {
        platform.ShowMessage(ListFullMessage(leftOut));
    }
}

} // namespace vq3
