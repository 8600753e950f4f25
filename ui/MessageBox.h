#pragma once

#include <string>

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

} // namespace vq3
