#pragma once

#include "platform/windows/WinText.h"
#include "ui/win32/MainWindow.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>
// Needs windows.h first.
#include <shlobj.h>

namespace vq3::test {

// The window's control by its name in the form's table.
inline HWND ControlOf(HWND window, std::string_view name) {
    for (size_t i = 0; i < Controls.size(); ++i) {
        if (Controls[i].name == name) {
            return GetDlgItem(window, ControlId(i));
        }
    }
    return nullptr;
}

// A drop as the shell delivers one: a DROPFILES block of wide paths, each ended by a NUL and
// the list by a second one, in memory the receiver frees with DragFinish.
inline void DropFiles(HWND target, const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        list += Widen(path);
        list += L'\0';
    }
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

inline std::string WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
    return Narrow(text);
}

} // namespace vq3::test
