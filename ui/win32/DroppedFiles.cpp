#include "ui/win32/DroppedFiles.h"

#include "platform/windows/WinText.h"

namespace vq3 {

std::vector<std::string> TakeDroppedPaths(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    paths.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(Narrow(path));
    }
    DragFinish(drop);
    return paths;
}

} // namespace vq3
