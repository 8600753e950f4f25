#include "ui/win32/DroppedFiles.h"

#include "platform/windows/WinText.h"

namespace vq3 {

namespace {

// Loading shell32 costs Wine about a sixth of the window's start-up, so it is loaded at the
// first drop, the only time it is needed.
template <typename Function> Function FromShell32(const char* name) {
    static const HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    const FARPROC found = shell32 != nullptr ? GetProcAddress(shell32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

} // namespace

std::vector<std::string> TakeDroppedPaths(HDROP drop) {
    static const auto dragQueryFile = FromShell32<decltype(&DragQueryFileW)>("DragQueryFileW");
    static const auto dragFinish = FromShell32<decltype(&DragFinish)>("DragFinish");
    std::vector<std::string> paths;
    if (dragQueryFile == nullptr || dragFinish == nullptr) {
        return paths;
    }
    const UINT count = dragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    paths.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(dragQueryFile(drop, i, nullptr, 0), L'\0');
        dragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(Narrow(path));
    }
    dragFinish(drop);
    return paths;
}

} // namespace vq3
