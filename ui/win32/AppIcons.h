#pragma once

#include "ui/win32/OwnedHandle.h"

#include <windows.h>

namespace vq3 {

// The tool's icon at the two sizes a window shows at one DPI: the small one in its title bar and
// on the taskbar, the large one in the task switcher. At the system's DPI they are the shared
// icons the window class has too, loaded once; another DPI's are loaded when a window asks for
// them and destroyed with this object.
class AppIcons {
public:
    AppIcons() = default;
    explicit AppIcons(UINT dpi);

    // The window shows these from now on; they must live as long as it does or until replaced.
    void GiveTo(HWND window) const;

private:
    using Icon = OwnedHandle<HICON, DestroyIcon>;

    Icon ownSmall_;
    Icon ownBig_;
    HICON small_ = nullptr;
    HICON big_ = nullptr;
};

// The icon at the system's own size for SM_CXICON or SM_CXSMICON, shared by the whole program
// and never destroyed: for a window class.
HICON SharedAppIcon(int sizeMetric);

} // namespace vq3
