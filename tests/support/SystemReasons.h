#pragma once

namespace vq3::test {

// The C library's words for the failures the tests provoke differ between systems.
#ifdef _WIN32
constexpr const char* DirectoryInTheWay = "Permission denied";
#else
constexpr const char* DirectoryInTheWay = "Is a directory";
#endif
constexpr const char* NoSuchFile = "No such file or directory";

} // namespace vq3::test
