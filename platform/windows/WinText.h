#pragma once

#include <string>
#include <string_view>

namespace vq3 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(std::wstring_view wide);
// The system's words for GetLastError()'s code, without the trailing line end.
std::string LastErrorText();

} // namespace vq3
