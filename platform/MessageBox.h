#pragma once

#include <string>

namespace vq3 {

// A modal message box: the text, one OK button, no icon, the application title as caption.
// Returns once the user has dismissed it.
void ShowMessage(const std::string& text);

} // namespace vq3
