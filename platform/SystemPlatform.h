#pragma once

#include "platform/Platform.h"

#ifdef _WIN32
struct HWND__;
#else
class QWidget;
#endif

namespace vq3 {

// The window a message box belongs to: centred on it and modal to it.
#ifdef _WIN32
using MessageOwner = HWND__*;
#else
using MessageOwner = QWidget*;
#endif

// A modal message box: the text, one OK button, no icon, the application title as caption.
// Returns once the user has dismissed it. Without an owner it stands alone on the screen.
void ShowMessage(const std::string& text, MessageOwner owner = nullptr);

// The real message box and script launch.
class SystemPlatform final : public Platform {
public:
    // Messages belong to this window from now on (before it is shown they have no owner).
    void SetMessageOwner(MessageOwner owner) { owner_ = owner; }

    void ShowMessage(const std::string& text) override;
    Result LaunchScript(const std::string& scriptPath, const std::string& workingDir,
                        const ConversionLock& lock) override;

private:
    MessageOwner owner_ = nullptr;
};

} // namespace vq3
