#pragma once

#include <string>
#include <string_view>

namespace vq3 {

// Extensions are handled by position: the last three characters of a name, whatever
// precedes them. Characters, not bytes, so a UTF-8 name is never cut inside a letter.

// The last three characters in ASCII lower case; the whole text when it is shorter.
std::string LastThreeLower(std::string_view text);
// The text without its last three characters, followed by the new extension.
std::string ReplaceLastThree(std::string_view text, std::string_view extension);

} // namespace vq3
