#include "ui/win32/WindowFonts.h"

#include "platform/windows/WinText.h"
#include "ui/MainForm.h"

#include <cwchar>

namespace vq3 {

namespace {

HFONT CreateTextFont(UINT dpi) {
    LOGFONTW font{};
    // Points to pixels: a point is 1/72 inch; hundredths keep the quarter point exact.
    const int hundredths = static_cast<int>(TextFontPoints * 100);
    font.lfHeight = -MulDiv(hundredths, static_cast<int>(dpi), 72 * 100);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    // Where the face is missing, another proportional serif font stands in.
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::wcsncpy(font.lfFaceName, Widen(TextFontFamily).c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

HFONT CreateMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

} // namespace

WindowFonts::WindowFonts(UINT dpi) : text_(CreateTextFont(dpi)), dialog_(CreateMessageFont(dpi)) {}

} // namespace vq3
