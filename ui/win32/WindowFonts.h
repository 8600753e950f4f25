#pragma once

#include <memory>
#include <type_traits>
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
    struct Deleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, Deleter>;

    Font text_;
    Font dialog_;
};

} // namespace vq3
