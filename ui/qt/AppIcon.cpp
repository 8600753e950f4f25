#include "ui/qt/AppIcon.h"

// The resource lives in a static library, where nothing would pull its registration in.
static void RegisterIconResource() {
    Q_INIT_RESOURCE(AppIcon);
}

namespace vq3 {

QIcon AppIcon() {
    RegisterIconResource();
    return QIcon(":/vq3mt/vq3mt.svg");
}

} // namespace vq3
