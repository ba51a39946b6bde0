#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the ja_JP.UTF-8
# locale, when they are missing. Safe to run again: it does nothing when all is there.
# make runs it only when this file or install-wine32.sh changed since it last passed, or
# when 32-bit Wine stopped running since (stamp build/.deps-checked); `make deps` runs it
# at once.
set -euo pipefail
sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev
  wine64 wine xvfb xauth x11-apps x11-utils locales fonts-ipafont-gothic
  mscompress mtools xorriso imagemagick ccache liblnk-utils python3-minimal
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# What a package is for, for the message before it is installed.
purpose() {
  case "$1" in
    cmake|ninja-build|make|g++|ccache) echo "native build (core tests)" ;;
    clang|libclang-rt-*) echo "fuzz targets (libFuzzer)" ;;
    *mingw*) echo "cross build of the Windows programs" ;;
    googletest|libgtest-dev) echo "unit tests (GoogleTest sources)" ;;
    wine*) echo "runs the Windows programs and their tests" ;;
    xvfb|xauth|x11-*) echo "virtual display for Wine without a screen" ;;
    locales) echo "the ja_JP.UTF-8 locale (Wine's code page 932)" ;;
    fonts-*) echo "Japanese glyphs under Wine" ;;
    mscompress) echo "the compressor benchmark's comparison and msexpand for the compressor's tests" ;;
    mtools) echo "floppy disk images of the media" ;;
    xorriso) echo "CD images of the media" ;;
    python3-minimal) echo "the shipping build's unwind-table merge" ;;
    imagemagick) echo "screenshots as PNG" ;;
    *) echo "build and tests" ;;
  esac
}

if ((${#missing[@]})); then
  echo "install-deps: the build and the tests need these Debian packages, which are missing:"
  for p in "${missing[@]}"; do printf '  %-26s %s\n' "$p" "$(purpose "$p")"; done
  echo "install-deps: installing them with ${sudo:+sudo }apt-get (after updating the package lists)"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "install-deps: generating the ja_JP.UTF-8 locale: Wine takes its code page 932 from it"
  $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi

# 32-bit Wine for the shipping build's tests. Without it those tests are skipped, loudly,
# and everything else still runs.
"$(dirname "${BASH_SOURCE[0]}")/install-wine32.sh" || "$(dirname "${BASH_SOURCE[0]}")/wine32-missing.sh"
