#include "conversion/DropIntake.h"

#include "conversion/Messages.h"
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
    std::vector<std::string> refusedLater;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = rules.GetFileName(files[i].path);
        if (files[i].elsewhere || !FileExists(rules.JoinPath(appDir, name))) {
            if (++refused > RefusalsShownOneByOne) {
                refusedLater.push_back(name);
                continue;
            }
            flush();
            platform.ShowMessage(NotInAppDirMessage(name, appDir));
        } else if (room > 0) {
            batch.push_back(i);
            --room;
        } else {
            ++leftOut;
        }
    }
    flush();
    if (!refusedLater.empty()) {
        platform.ShowMessage(MoreNotInAppDirMessage(refusedLater, appDir));
    }
    if (leftOut > 0) {
        platform.ShowMessage(ListFullMessage(leftOut));
    }
}

} // namespace vq3
