# Debian packages the build and the tests need; sourced by the other scripts. The X11 and Wayland
# client libraries tell whether a desktop session answers; zlib is the stand-in encoder's CRC-32.
# shellcheck disable=SC2034
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev fonts-liberation libxcb1-dev
    libwayland-dev zlib1g-dev)
# The script runner's own decoder for madplay.exe, the icon's SVG support, and sox and lame,
# which make the try-out folder's tracks (and the tests' MP3s).
RUNTIME_PACKAGES=(madplay libqt6svg6 sox lame)
TEST_PACKAGES=(googletest libgtest-dev)
# What the window checks under Xvfb need: a window manager, a file manager to drag from, the X
# tools that drive and inspect the windows, and a session bus with Debian's python3 reading what
# the windows tell assistive technology.
CHECK_PACKAGES=(xvfb xauth openbox pcmanfm xdotool x11-utils dbus-daemon at-spi2-core python3-pyatspi)
# The MinGW-w64 cross build, and what draws vq3mt.exe's icon from its SVG.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64 librsvg2-bin icoutils)
