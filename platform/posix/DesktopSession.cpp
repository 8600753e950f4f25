#include "platform/posix/DesktopSession.h"

#include <cstdlib>
#include <wayland-client.h>
#include <xcb/xcb.h>

namespace vq3 {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Connects as Qt will, reading DISPLAY and XAUTHORITY, forwarded displays included.
bool X11Answers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

// Reads WAYLAND_DISPLAY, a relative name lying in XDG_RUNTIME_DIR.
bool WaylandAnswers() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    wl_display_disconnect(display);
    return true;
}

} // namespace

std::string MissingDesktopSession() {
    if (!Variable("QT_QPA_PLATFORM").empty()) {
        return "";
    }
    const std::string x11 = Variable("DISPLAY");
    const std::string wayland = Variable("WAYLAND_DISPLAY");
    const std::string lead =
        "vq3mt is a desktop program and needs a desktop session (X11 or Wayland); ";
    if (x11.empty() && wayland.empty()) {
        return lead + "neither DISPLAY nor WAYLAND_DISPLAY is set.";
    }
    // Only the displays the session names: the Wayland library would otherwise try a default.
    if ((!x11.empty() && X11Answers()) || (!wayland.empty() && WaylandAnswers())) {
        return "";
    }
    std::string named;
    if (!x11.empty()) {
        named = "DISPLAY '" + x11 + "'";
    }
    if (!wayland.empty()) {
        named += (named.empty() ? "WAYLAND_DISPLAY '" : " or WAYLAND_DISPLAY '") + wayland + "'";
    }
    return lead + "nothing answers at " + named + ".";
}

} // namespace vq3
