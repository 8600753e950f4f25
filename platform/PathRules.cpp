#include "platform/PathRules.h"

#include "platform/Text.h"

namespace vq3 {

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
    return windows_ ? LowerAscii(path) : std::string(path);
}

bool PathRules::OnNetworkShare(std::string_view path) const {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    return windows_ && path.size() > 2 && separator(path[0]) && separator(path[1]);
}

} // namespace vq3
