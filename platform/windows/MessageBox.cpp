#include "platform/AppInfo.h"
#include "platform/SystemPlatform.h"
#include "platform/windows/WinText.h"

#include <windows.h>

namespace vq3 {

void ShowMessage(const std::string& text, MessageOwner owner) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppInfo::AppTitle).c_str(), MB_OK);
}

} // namespace vq3
