#include "platform/posix/DesktopSession.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <optional>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace vq3 {

namespace {

// An X display number maps to TCP port 6000 + number, or to this machine's socket of that number.
constexpr int X11FirstPort = 6000;
constexpr const char* X11SocketFolder = "/tmp/.X11-unix/X";
// A display across a network that has not answered by then is taken as gone.
constexpr time_t ConnectSeconds = 5;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Accepts(int family, const sockaddr* address, socklen_t length) {
    const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    // On Linux the send time-out bounds connect() as well.
    const timeval limit{ConnectSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    const bool connected = connect(fd, address, length) == 0;
    close(fd);
    return connected;
}

// A socket in the file system, or with abstract set, the same name in Linux's abstract
// namespace, which X servers listen on as well.
bool UnixSocketAccepts(const std::string& path, bool abstract = false) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const size_t start = abstract ? 1 : 0;
    if (start + path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path + start, path.data(), path.size());
    const size_t used = start + path.size() + (abstract ? 0 : 1);
    return Accepts(AF_UNIX, reinterpret_cast<const sockaddr*>(&address),
                   static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + used));
}

bool TcpAccepts(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool connected = false;
    for (const addrinfo* candidate = found; candidate != nullptr && !connected;
         candidate = candidate->ai_next) {
        connected = Accepts(candidate->ai_family, candidate->ai_addr, candidate->ai_addrlen);
    }
    freeaddrinfo(found);
    return connected;
}

struct X11Address {
    std::string host; // empty or "unix" for this machine's socket
    int number;
};

// "[host]:number[.screen]", the host maybe an IPv6 address in brackets; nothing for another
// form, such as a socket's path or a DECnet name.
std::optional<X11Address> ParseX11Display(const std::string& display) {
    const size_t colon = display.rfind(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    std::string host = display.substr(0, colon);
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (host.starts_with('/') || host.ends_with(':') || number.empty() || number.size() > 5 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    if (host.starts_with('[') && host.ends_with(']')) {
        host = host.substr(1, host.size() - 2);
    }
    return X11Address{host, std::stoi(number)};
}

// A form this does not know is left for Qt to judge.
bool X11Answers(const std::string& display) {
    const std::optional<X11Address> address = ParseX11Display(display);
    if (!address) {
        return true;
    }
    if (address->host.empty() || address->host == "unix") {
        const std::string path = X11SocketFolder + std::to_string(address->number);
        return UnixSocketAccepts(path) || UnixSocketAccepts(path, true);
    }
    return TcpAccepts(address->host, X11FirstPort + address->number);
}

// A relative name lies in the session's runtime folder, as the Wayland library looks for it.
bool WaylandAnswers(const std::string& display) {
    if (display.starts_with('/')) {
        return UnixSocketAccepts(display);
    }
    const std::string runtimeDir = Variable("XDG_RUNTIME_DIR");
    return !runtimeDir.empty() && UnixSocketAccepts(runtimeDir + "/" + display);
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
    if ((!x11.empty() && X11Answers(x11)) || (!wayland.empty() && WaylandAnswers(wayland))) {
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
