#pragma once

#include <string_view>

namespace vq3::test {

// Where each control of the window sits at 96 dots per inch, in pixels of the client area, and
// the text it shows: what both front ends must draw.
struct ExpectedControl {
    std::string_view name;
    int left, top, width, height;
    const char* text;
};

constexpr ExpectedControl ExpectedLayout[] = {
    {"lblDragDrop", 8, 8, 353, 25, "Drag and drop *.mp3 or *.wav files into the box below."},
    {"lstFiles", 8, 32, 353, 319, ""},
    {"lblBitRate", 8, 360, 57, 21, "BitRate"},
    {"cboBitRate", 80, 360, 105, 23, "1024"},
    {"cmdExport", 272, 360, 89, 33, "&Convert to .fda"},
    {"lblRec", 8, 392, 177, 17, "Recommended: 1024"},
};

} // namespace vq3::test
