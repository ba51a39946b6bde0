#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the ja_JP.UTF-8
# locale, when they are missing. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev
  wine64 wine xvfb xauth x11-apps x11-utils locales fonts-ipafont-gothic
  mscompress imagemagick ccache liblnk-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "install-deps: generating ja_JP.UTF-8"
  sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi

# 32-bit Wine for the shipping build's tests. Without it those tests are skipped, loudly,
# and everything else still runs.
"$(dirname "${BASH_SOURCE[0]}")/install-wine32.sh" || "$(dirname "${BASH_SOURCE[0]}")/wine32-missing.sh"
