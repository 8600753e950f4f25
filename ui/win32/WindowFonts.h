#pragma once

#include "ui/win32/OwnedHandle.h"

#include <windows.h>

namespace vq3 {

// The window's two fonts, made for one DPI: the form's text font for labels, list and
// drop-down, and the system's message font for the button.
class WindowFonts {
public:
    WindowFonts() = default;
    explicit WindowFonts(UINT dpi);

    HFONT Text() const { return text_.get(); }
    HFONT Dialog() const { return dialog_.get(); }

private:
    using Font = OwnedHandle<HFONT, DeleteObject>;

    Font text_;
    Font dialog_;
};

} // namespace vq3
