#pragma once

#include <string>

namespace vq3 {

// True only for an existing regular file (or a link to one); false for folders and missing paths.
bool FileExists(const std::string& path);

} // namespace vq3
