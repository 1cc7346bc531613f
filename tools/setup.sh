# Installs what the build and the tests need, when it is missing (Debian packages).
# Source it or run it; it needs root (or sudo) only when something is missing.

qendor_packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  pulseaudio pulseaudio-utils ffmpeg librsvg2-bin gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  zlib1g-dev libdeflate-dev p7zip-full unzip zip python3
)

qendor_setup() {
  local missing=()
  local p
  for p in "${qendor_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# Configures and builds both trees: build/native (g++) and build/win (mingw-w64).
qendor_build() {
  local top="$1"
  qendor_build_native "$top" && qendor_build_win "$top"
}
qendor_build_native() {
  local top="$1"
  cmake -S "$top" -B "$top/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || return 1
  cmake --build "$top/build/native" -j "$(nproc 2>/dev/null || echo 2)" || return 1
}
# The Windows tree; with target names, only those (the program alone for ./run).
qendor_build_win() {
  local top="$1"
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake -S "$top" -B "$top/build/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw64.cmake" >/dev/null || return 1
  cmake --build "$top/build/win" -j "$(nproc 2>/dev/null || echo 2)" "${targets[@]}" || return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  qendor_setup
fi
