#include "ui/MessageBox.h"

#include "platform/AppInfo.h"
#include "platform/windows/WinText.h"
#include "ui/win32/AppIcons.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <windows.h>

namespace vq3 {

namespace {

// The box this thread is showing: whose it is, and the icons its title bar gets once it is up.
struct ShownBox {
    HWND owner = nullptr;
    std::optional<AppIcons> icons;
};
thread_local ShownBox* shown = nullptr;

bool IsDialog(HWND window) {
    wchar_t name[8] = {};
    GetClassNameW(window, name, 8);
    return std::wstring_view(name) == L"#32770";
}

// MessageBox centres a box on the screen, not on its owner. Kept on the owner's monitor.
void CentreOn(HWND box, HWND owner) {
    RECT outer{};
    RECT inner{};
    GetWindowRect(owner, &outer);
    GetWindowRect(box, &inner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = inner.right - inner.left;
    const LONG height = inner.bottom - inner.top;
    const LONG x = std::clamp((outer.left + outer.right - width) / 2, work.left,
                              std::max(work.left, work.right - width));
    const LONG y = std::clamp((outer.top + outer.bottom - height) / 2, work.top,
                              std::max(work.top, work.bottom - height));
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs as the box is first activated, before it is drawn: the tool's icon goes into its title
// bar (the box's body keeps none) and the box moves over its owner.
LRESULT CALLBACK OnActivation(int code, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && shown != nullptr && !shown->icons && IsDialog(box)) {
        shown->icons.emplace(GetDpiForWindow(box));
        shown->icons->GiveTo(box);
        if (shown->owner != nullptr) {
            CentreOn(box, shown->owner);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void ShowMessage(const std::string& text, MessageOwner owner) {
    ShownBox box{owner, std::nullopt};
    ShownBox* outer = std::exchange(shown, &box);
    HHOOK hook = SetWindowsHookExW(WH_CBT, OnActivation, nullptr, GetCurrentThreadId());
    // The box asks for the foreground, which Windows grants only while the tool may have it.
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppInfo::AppTitle).c_str(),
                MB_OK | MB_SETFOREGROUND);
    UnhookWindowsHookEx(hook);
    shown = outer;
}

} // namespace vq3
