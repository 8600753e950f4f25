#pragma once

#include <optional>
#include <string>

namespace vq3 {

// The command interpreter reads a script in the console's code page. Returns the bytes to
// write for a UTF-8 text, or nothing when the code page cannot represent every character.
std::optional<std::string> EncodeForConsole(const std::string& utf8);

} // namespace vq3
