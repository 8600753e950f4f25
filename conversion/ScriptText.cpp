#include "conversion/ScriptText.h"

#include <algorithm>

namespace vq3 {

std::string AddQuotes(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string EscapeForQuotedUse(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '%') {
            escaped += '%';
        }
        escaped += c;
    }
    return escaped;
}

std::string EscapeForUnquotedUse(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '%') {
            escaped += '%';
        } else if (std::string_view("&|<>^").find(c) != std::string_view::npos) {
            escaped += '^';
        }
        escaped += c;
    }
    return escaped;
}

bool ScriptSyntaxCanCarry(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '"' || byte < 0x20 || byte == 0x7F;
    });
}

} // namespace vq3
