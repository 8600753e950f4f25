#pragma once

#include <string>
#include <vector>
#include <windows.h> // with shellapi.h: HDROP and the Drag functions

namespace vq3 {

// The paths a WM_DROPFILES drop carries, as UTF-8, in drop order; releases the drop.
std::vector<std::string> TakeDroppedPaths(HDROP drop);

} // namespace vq3
