#pragma once

#include <string>

namespace vq3 {

std::wstring Widen(const std::string& utf8);
// The system's words for GetLastError()'s code, without the trailing line end.
std::string LastErrorText();

} // namespace vq3
