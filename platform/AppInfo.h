#pragma once

#include <cstdint>
#include <string>

namespace vq3 {

// Facts about the running program.
struct AppInfo {
    static constexpr const char* AppTitle = "VQ3 Music Tool";
    static constexpr std::int16_t Major = 1;
    static constexpr std::int16_t Minor = 4;
    static constexpr std::int16_t Revision = 0;

    // "VQ3 Music Tool 1.4.0": the title, a space and the dotted version.
    static std::string TitleWithVersion();
    // The folder holding the running executable (not the working directory), without a
    // trailing separator unless it is a root.
    static std::string AppDir();
};

} // namespace vq3
