#include "platform/FileQueries.h"

#ifdef _WIN32
#include "platform/FsPath.h"

#include <system_error>
#else
#include <sys/stat.h>
#endif

namespace vq3 {

bool FileExists(const std::string& path) {
#ifdef _WIN32
    std::error_code ignored;
    return std::filesystem::is_regular_file(FsPath(path), ignored);
#else
    // Asked for every dropped file: a plain stat, with no path object to build.
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

} // namespace vq3
