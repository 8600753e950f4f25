#include "platform/PathRules.h"

namespace vq3 {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

PathRules PathRules::Windows() {
    return PathRules(true);
}
PathRules PathRules::Posix() {
    return PathRules(false);
}

PathRules PathRules::Host() {
#ifdef _WIN32
    return Windows();
#else
    return Posix();
#endif
}

std::string PathRules::GetFileName(std::string_view path) const {
    const auto cut = path.find_last_of(windows_ ? std::string_view("\\/") : std::string_view("/"));
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string PathRules::JoinPath(std::string_view dir, std::string_view name) const {
    std::string joined(dir);
    joined += windows_ ? '\\' : '/';
    joined += name;
    return joined;
}

std::string PathRules::ComparisonKey(std::string_view path) const {
    std::string key(path);
    if (windows_) {
        for (char& c : key) {
            c = FoldAscii(c);
        }
    }
    return key;
}

} // namespace vq3
