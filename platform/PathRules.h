#pragma once

#include <string>
#include <string_view>

namespace vq3 {

// How one platform spells paths. The script builder takes this as a value so that
// Windows paths can be handled (and tested) on any host.
class PathRules {
public:
    static PathRules Windows();
    static PathRules Posix();
    static PathRules Host();

    // The part after the last separator; the whole path when it has none.
    std::string GetFileName(std::string_view path) const;
    // The directory, one separator and the name, with no check for a separator already there.
    std::string JoinPath(std::string_view dir, std::string_view name) const;
    // Equal keys for two spellings of the same path: Windows folds ASCII case, POSIX does not.
    std::string ComparisonKey(std::string_view path) const;
    // Whether these are Windows' rules: the script is then read by the command interpreter, and
    // the user is spoken to in Windows' words.
    bool ForWindows() const { return windows_; }
    // A Windows path of a network share (\\server\share\...), which no drive letter names.
    bool OnNetworkShare(std::string_view path) const;

private:
    explicit PathRules(bool windows) : windows_(windows) {}
    bool windows_;
};

} // namespace vq3
