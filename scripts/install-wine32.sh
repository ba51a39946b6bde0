#!/usr/bin/env bash
# Makes 32-bit Wine run on this x86_64 machine, for the tests of the shipping (i686)
# build. Safe to run again: it only does what is missing. Exit status 0 when 32-bit Wine
# runs, 1 when it cannot be had here.
#
# - Debian's wine32 (architecture i386). Its "wine" command takes the 32-bit loader
#   whenever wine32 is installed, and a 64-bit prefix then fails to start: a local
#   diversion keeps that loader out of its way (as /usr/lib/wine/wine32), and
#   scripts/wine-run.sh calls each loader by its path.
# - Where the kernel cannot run 32-bit code itself (no IA-32 emulation), wine32 runs
#   under qemu's user-mode emulator, registered with binfmt_misc with flag F (the
#   emulator is opened at once, so Wine's child processes start too). On Debian 12 it
#   comes from bookworm-backports: bookworm's own qemu (7.2) takes minutes per Wine
#   process, the backported one (10) well under a second. The kernel forgets the
#   registration at each boot; the next run of this script makes it again.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
diverted=/usr/lib/wine/wine32
binfmt=/proc/sys/fs/binfmt_misc
sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"

say() { echo "install-wine32: $*" >&2; }
runs32() { "$here/wine32-loader.sh" >/dev/null 2>&1; }
installed() { [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]; }
apt_install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@"; }

# The usual case after the first run.
if runs32; then exit 0; fi

if ! installed wine32:i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture"
    $sudo dpkg --add-architecture i386 && $sudo apt-get update -q
  fi
  if ! dpkg-divert --list /usr/lib/wine/wine | grep -q "$diverted"; then
    $sudo dpkg-divert --local --rename --divert "$diverted" --add /usr/lib/wine/wine
  fi
  say "installing wine32:i386 and the i386 X libraries Wine loads"
  apt_install wine32:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 \
    libxinerama1:i386 libxfixes3:i386 libxcomposite1:i386 libxxf86vm1:i386
  if runs32; then say "32-bit Wine runs natively"; exit 0; fi
fi

# The kernel cannot run it: qemu, from the backports suite on Debian 12, from the same
# mirror and with the same key as the main suite.
. /etc/os-release
qemu_suite=()
if [[ ${VERSION_CODENAME:-} == bookworm ]]; then
  qemu_suite=(-t bookworm-backports)
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    main_source=$(grep -ls '^Suites:.*\bbookworm\b' /etc/apt/sources.list.d/*.sources | head -n1)
    if [[ -n $main_source ]]; then
      uris=$(awk '/^URIs:/{print; exit}' "$main_source")
      signed_by=$(awk '/^Signed-By:/{print; exit}' "$main_source")
      printf 'Types: deb\n%s\nSuites: bookworm-backports\nComponents: main\n%s\n' "$uris" "$signed_by" |
        $sudo tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
    else  # a one-line source list
      line=$(grep -hE '^deb .* bookworm( |$)' /etc/apt/sources.list | head -n1)
      [[ -n $line ]] && echo "${line/ bookworm/ bookworm-backports}" |
        $sudo tee /etc/apt/sources.list.d/bookworm-backports.list >/dev/null
    fi
    say "added the bookworm-backports suite"
    $sudo apt-get update -q
  fi
fi
qemu_version=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
if ! installed qemu-user-static || dpkg --compare-versions "$qemu_version" lt 1:10; then
  say "installing qemu-user-static ${qemu_suite[*]}"
  apt_install "${qemu_suite[@]}" qemu-user-static
fi

if [[ ! -e $binfmt/register ]]; then
  $sudo mount -t binfmt_misc binfmt_misc "$binfmt" || say "cannot mount $binfmt"
fi
if [[ -e $binfmt/register && ! -e $binfmt/qemu-i386 ]]; then
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:/usr/libexec/qemu-binfmt/i386-binfmt-P:POF" |
    $sudo tee "$binfmt/register" >/dev/null || say "cannot register qemu-i386 with binfmt_misc"
fi

if runs32; then say "32-bit Wine runs under qemu"; exit 0; fi
say "32-bit Wine does not run on this machine"
exit 1
