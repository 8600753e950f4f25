#pragma once

#include "conversion/DropIntake.h"
#include "platform/Platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vq3 {

// What the window decides, whatever toolkit draws it: its controls, its start-up and its
// handlers. A front end creates the controls from the table and forwards their events.

enum class ControlKind { Label, FileList, DropDown, Button };
enum class ControlFont { Text, Dialog }; // Text: "Times New Roman" 9.75 pt; Dialog: the system's

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* text;
    // Twips (1/1440 inch), relative to the client area.
    int left;
    int top;
    int width;
    int height;
    int tabIndex; // -1: takes no keyboard focus
    ControlFont font;
};

constexpr int ClientWidthTwips = 5520;
constexpr int ClientHeightTwips = 6180;
constexpr const char* TextFontFamily = "Times New Roman";
constexpr double TextFontPoints = 9.75;

// In creation order; tab order is list, button, drop-down.
constexpr std::array<ControlRow, 6> Controls{{
    {"lblDragDrop", ControlKind::Label, "Drag and drop *.mp3 or *.wav files into the box below.",
     120, 120, 5295, 375, -1, ControlFont::Text},
    {"lstFiles", ControlKind::FileList, "", 120, 480, 5295, 4785, 0, ControlFont::Text},
    {"lblBitRate", ControlKind::Label, "BitRate", 120, 5400, 855, 315, -1, ControlFont::Text},
    {"cboBitRate", ControlKind::DropDown, "", 1200, 5400, 1575, 345, 2, ControlFont::Text},
    {"cmdExport", ControlKind::Button, "&Convert to .fda", 4080, 5400, 1335, 495, 1,
     ControlFont::Dialog},
    {"lblRec", ControlKind::Label, "Recommended: 1024", 120, 5880, 2655, 255, -1,
     ControlFont::Text},
}};

constexpr std::array<const char*, 4> BitRateItems{"2048", "1024", "512", "256"};
constexpr int DefaultBitRateIndex = 1;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

// What the form needs from the window that shows it.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // Selects the item exactly as a user would, so the window raises cboBitRate_Click.
    virtual void SelectBitRate(int index) = 0;
    virtual std::vector<std::string> ListEntries() const = 0;
    virtual int ListCount() const = 0;
    virtual void AppendToList(const std::vector<std::string>& paths) = 0;
    // Called while Convert writes the track descriptors, after each one; a front end may show
    // progress when that takes long.
    virtual void ShowConversionProgress(size_t /*done*/, size_t /*total*/) {}
    // Called before Convert says anything, also when the writing stopped short.
    virtual void EndConversionProgress() {}
};

// The window's state and handlers.
class frmVQ3MCMain {
public:
    frmVQ3MCMain(FormView& view, Platform& platform, std::string appDir);

    // Caption, start-up warning, default bit rate: runs before the window is first shown.
    void Form_Load();
    void cboBitRate_Click(const std::string& itemText);
    void cmdExport_Click();
    void lstFiles_OLEDragDrop(const std::vector<std::string>& paths);
    // For toolkits that also deliver items of other machines, to be refused in drop order.
    void lstFiles_OLEDragDrop(const std::vector<DroppedFile>& files);

    std::int16_t BitRate() const { return bitRate_; }

private:
    FormView& view_;
    Platform& platform_;
    const std::string appDir_;
    std::int16_t bitRate_ = 0;
};

} // namespace vq3
