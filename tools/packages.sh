# Debian packages the build and the tests need; sourced by the other scripts.
# shellcheck disable=SC2034
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev fonts-liberation)
# The script runner's own decoder for madplay.exe, the icon's SVG support, and sox and lame,
# which make the try-out folder's tracks (and the tests' MP3s).
RUNTIME_PACKAGES=(madplay libqt6svg6 sox lame)
# zlib checks the stand-in encoder's checksums; the window checks run on a virtual display with
# a window manager.
TEST_PACKAGES=(googletest libgtest-dev zlib1g-dev xvfb xauth openbox xdotool x11-utils)
