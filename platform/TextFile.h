#pragma once

#include "platform/IoResult.h"

#include <string>
#include <vector>

namespace vq3 {

// Creates or truncates the file and writes each line followed by CR LF, in the console's
// code page, then closes it. Fails, with the system's reason, rather than write a line the
// code page cannot hold.
IoResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace vq3
