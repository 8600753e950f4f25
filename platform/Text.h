#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vq3 {

// Case folding for file names and commands: ASCII only, so UTF-8 bytes pass unchanged.
inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = LowerAscii(c);
    }
    return lowered;
}

// 'A', 'B' and 'C'; a long list is cut after mostShown names with "and N more", so that a
// message box still fits on the screen.
inline std::string QuotedList(const std::vector<std::string>& names, size_t mostShown = 10) {
    const size_t shown = names.size() > mostShown ? mostShown : names.size();
    std::string list;
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            list += (i + 1 == shown && shown == names.size()) ? " and " : ", ";
        }
        list += "'" + names[i] + "'";
    }
    if (shown < names.size()) {
        list += " and " + std::to_string(names.size() - shown) + " more";
    }
    return list;
}

inline bool IsControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace vq3
