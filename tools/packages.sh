# Debian packages the build and the tests need; sourced by the other scripts.
# shellcheck disable=SC2034
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev fonts-liberation)
# The script runner's own decoder for madplay.exe, and the icon's SVG support.
RUNTIME_PACKAGES=(madplay libqt6svg6)
# lame makes test MP3s; the window checks run on a virtual display with a window manager.
TEST_PACKAGES=(googletest libgtest-dev lame xvfb xauth openbox xdotool)
