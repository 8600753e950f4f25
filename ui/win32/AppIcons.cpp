#include "ui/win32/AppIcons.h"

namespace vq3 {

namespace {

constexpr wchar_t IconName[] = L"VQ3MT";

HICON LoadAppIcon(int size, UINT flags) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), IconName, IMAGE_ICON, size, size, flags));
}

} // namespace

AppIcons::AppIcons(UINT dpi)
    : small_(LoadAppIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi), 0)),
      big_(LoadAppIcon(GetSystemMetricsForDpi(SM_CXICON, dpi), 0)) {}

void AppIcons::GiveTo(HWND window) const {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_.get()));
}

HICON SharedAppIcon(int sizeMetric) {
    return LoadAppIcon(GetSystemMetrics(sizeMetric), LR_SHARED);
}

} // namespace vq3
