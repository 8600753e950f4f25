#pragma once

#include <QIcon>

namespace vq3 {

// The tool's own icon, compiled in. Drawn by Qt's SVG icon plugin (Debian's libqt6svg6).
QIcon AppIcon();

} // namespace vq3
