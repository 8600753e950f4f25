#include "ui/MainForm.h"

#include "conversion/ConvertFiles.h"
#include "conversion/DropIntake.h"
#include "conversion/Messages.h"
#include "platform/AppInfo.h"

#include <charconv>
#include <utility>

namespace vq3 {

namespace {

// Ends the progress before each box: a progress window left up over a box would keep the user
// from reading or dismissing it.
class ProgressEndingPlatform final : public Platform {
public:
    ProgressEndingPlatform(Platform& platform, FormView& view) : platform_(platform), view_(view) {}
    void ShowMessage(const std::string& text) override {
        view_.EndConversionProgress();
        platform_.ShowMessage(text);
    }
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override {
        return platform_.LaunchScript(scriptPath, workingDir, lock);
    }

private:
    Platform& platform_;
    FormView& view_;
};

} // namespace

int TwipsToPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

frmVQ3MCMain::frmVQ3MCMain(FormView& view, Platform& platform, std::string appDir)
    : view_(view), platform_(platform), appDir_(std::move(appDir)) {}

void frmVQ3MCMain::Form_Load() {
    view_.SetCaption(AppInfo::TitleWithVersion());
    platform_.ShowMessage(StartupWarning);
    view_.SelectBitRate(DefaultBitRateIndex);
}

void frmVQ3MCMain::cboBitRate_Click(const std::string& itemText) {
    std::int16_t value = 0;
    std::from_chars(itemText.data(), itemText.data() + itemText.size(), value);
    bitRate_ = value;
}

void frmVQ3MCMain::cmdExport_Click() {
    ProgressEndingPlatform platform(platform_, view_);
    ConvertFiles(view_.ListEntries(), bitRate_, appDir_, platform, PathRules::Host(),
                 [this](size_t done, size_t total) { view_.ShowConversionProgress(done, total); });
}

void frmVQ3MCMain::lstFiles_OLEDragDrop(const std::vector<std::string>& paths) {
    std::vector<DroppedFile> files;
    files.reserve(paths.size());
    for (const auto& path : paths) {
        files.push_back({path});
    }
    lstFiles_OLEDragDrop(files);
}

void frmVQ3MCMain::lstFiles_OLEDragDrop(const std::vector<DroppedFile>& files) {
    // Batches, so a drop of thousands of files lays the list out once.
    const auto append = [&](const std::vector<size_t>& positions) {
        std::vector<std::string> admitted;
        admitted.reserve(positions.size());
        for (const size_t position : positions) {
            admitted.push_back(files[position].path);
        }
        view_.AppendToList(admitted);
    };
    AcceptDroppedFiles(files, appDir_, MaxListEntries - view_.ListCount(), platform_, append);
}

} // namespace vq3
