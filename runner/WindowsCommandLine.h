#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vq3::runner {

// Splits a command line into arguments the way a Windows C program does: blanks separate,
// double quotes group and are removed, backslashes are literal unless they precede a quote.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);

} // namespace vq3::runner
