#pragma once

#include "platform/windows/WinText.h"
#include "ui/win32/MainWindow.h"

#include <algorithm>
#include <cstring>
// Needs windows.h first.
#include <shlobj.h>

namespace vq3::test {

// The window's control by its name in the form's table.
inline HWND ControlOf(HWND window, std::string_view name) {
    const auto row = std::find_if(Controls.begin(), Controls.end(),
                                  [&](const auto& control) { return control.name == name; });
    return GetDlgItem(window, ControlId(static_cast<size_t>(row - Controls.begin())));
}

// A drop as the shell delivers one: a DROPFILES block of wide paths, each ended by a NUL and
// the list by a second one, in memory the receiver frees with DragFinish.
inline void DropFiles(HWND target, const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        list += Widen(path) + L'\0';
    }
    // Zeroed memory ends the list with the second NUL.
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    *drop = DROPFILES{sizeof(DROPFILES), {}, FALSE, TRUE}; // the paths follow, wide
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

} // namespace vq3::test
