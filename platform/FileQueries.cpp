#include "platform/FileQueries.h"

#include "platform/FsPath.h"

#include <system_error>

namespace vq3 {

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(FsPath(path), ignored);
}

} // namespace vq3
