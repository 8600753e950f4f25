#include "ui/win32/AppIcons.h"

namespace vq3 {

namespace {

constexpr wchar_t IconName[] = L"VQ3MT";

HICON LoadAppIcon(int size, UINT flags) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), IconName, IMAGE_ICON, size, size, flags));
}

} // namespace

AppIcons::AppIcons(UINT dpi) {
    if (dpi == GetDpiForSystem()) {
        small_ = SharedAppIcon(SM_CXSMICON);
        big_ = SharedAppIcon(SM_CXICON);
        return;
    }
    ownSmall_.reset(LoadAppIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi), 0));
    ownBig_.reset(LoadAppIcon(GetSystemMetricsForDpi(SM_CXICON, dpi), 0));
    small_ = ownSmall_.get();
    big_ = ownBig_.get();
}

void AppIcons::GiveTo(HWND window) const {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_));
}

HICON SharedAppIcon(int sizeMetric) {
    return LoadAppIcon(GetSystemMetrics(sizeMetric), LR_SHARED);
}

} // namespace vq3
