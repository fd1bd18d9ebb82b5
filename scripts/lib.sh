# Shared by scripts/run and scripts/test: installing what is missing, the
# three build configurations, Xvfb and the Wine prefix in the build tree.
# shellcheck shell=bash

TESSALY_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}

# What building, running and testing need, all from Debian.
TESSALY_PACKAGES_BUILD=(cmake ninja-build python3 g++ g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev googletest libgtest-dev libgmock-dev)
TESSALY_PACKAGES_RUN=(wine wine64 fonts-wine xvfb xauth fonts-ipafont-gothic imagemagick)
TESSALY_PACKAGES_TEST=(libbenchmark-dev clang-14 libclang-rt-14-dev zlib1g-dev libpng-dev python3-pil
  icoutils xdotool)

say() { printf '\n== %s\n' "$*"; }

ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_build <name> [cmake options...]: configures build/<name> once.
configure_build() {
  local name=$1
  shift
  local dir=$TESSALY_BUILD/$name
  say "configuring $name ($dir)"
  cmake -S "$TESSALY_ROOT" -B "$dir" -G Ninja "$@"
}

# build <name> [targets...]: ninja shows [done/total] as it goes.
build() {
  local name=$1
  shift
  say "building $name"
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$TESSALY_BUILD/$name" "${targets[@]}" -- -j"$(nproc)"
}

configure_native() {
  configure_build native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_WERROR=ON -DTESSALY_BENCH=ON
}

configure_fuzz() {
  CC=clang-14 CXX=clang++-14 configure_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_WERROR=ON \
    -DTESSALY_TESTS=OFF -DTESSALY_FUZZ=ON
}

configure_windows() {
  configure_build windows -DCMAKE_BUILD_TYPE=Release -DTESSALY_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$TESSALY_ROOT/cmake/mingw-w64-x86_64.cmake"
}

# Starts a private X server for Wine's windows; never the user's display.
start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  TESSALY_XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
  say "Xvfb running on $DISPLAY"
}

stop_xvfb() {
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null
  TESSALY_XVFB_PID=
}

# The Wine prefix lives in the build tree; nothing outside it is touched.
wine_environment() {
  export WINEPREFIX=$TESSALY_BUILD/windows/wine-prefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko installers, which would ask questions on first boot.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates the prefix once, with Japanese fonts standing in for the Windows ones.
prepare_wine_prefix() {
  wine_environment
  [ -f "$WINEPREFIX/.tessaly-ready" ] || create_wine_prefix
  link_japanese_fonts
  use_proportional_japanese_fonts
}

create_wine_prefix() {
  say "creating the Wine prefix $WINEPREFIX (once)"
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  # Wine's own fonts (Tahoma, Marlett for the caption buttons) are not put
  # into a new prefix by this packaging; the system looks for them here.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local key='HKCU\Software\Wine\Fonts\Replacements' font
  for font in "MS UI Gothic" "MS Gothic" "ＭＳ ゴシック" "Meiryo" "Yu Gothic UI"; do
    wine reg add "$key" /v "$font" /t REG_SZ /d "IPAGothic" /f </dev/null >/dev/null 2>&1
  done
  # Xvfb has no window manager: Wine draws captions and frames itself.
  for key in Managed Decorated; do
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$key" /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.tessaly-ready"
}

# Captions, menus and message boxes are drawn in Tahoma, which has no
# Japanese glyphs: link it to IPAGothic for the characters it lacks. A step
# of its own, so that prefixes made before it get it too.
link_japanese_fonts() {
  wine_environment
  [ -f "$WINEPREFIX/.tessaly-fontlinks" ] && return 0
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
  for face in "Tahoma" "Tahoma Bold"; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic" /f </dev/null >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.tessaly-fontlinks"
}

# The proportional Gothic of the dialog templates ("ＭＳ Ｐゴシック") gets the
# proportional IPA font: their labels are measured for narrow digits and
# kana, and the fixed-pitch one cuts them off. A step of its own, so that
# prefixes made before it get it too.
use_proportional_japanese_fonts() {
  wine_environment
  [ -f "$WINEPREFIX/.tessaly-pfonts" ] && return 0
  local key='HKCU\Software\Wine\Fonts\Replacements' font
  for font in "MS PGothic" "ＭＳ Ｐゴシック"; do
    wine reg add "$key" /v "$font" /t REG_SZ /d "IPAPGothic" /f </dev/null >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.tessaly-pfonts"
}

# Wine's background services must not hold ctest's output pipes open, so they
# are started here, detached from every stream, before any test runs.
start_wine_services() {
  wine_environment
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}

stop_wine_services() {
  wine_environment
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
