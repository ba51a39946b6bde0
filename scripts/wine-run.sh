#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix.
#
#   wine-run.sh [--prefix DIR] [--arch win64|win32] [--winver win95|nt351|nt40|winxp|win10] PROGRAM.EXE [ARGS...]
#
# - The prefix (default: build/win64/wineprefix) is created once, with the
#   ANSI code page 932 (LANG=ja_JP.UTF-8) and Wine's menu builder disabled; Wine's
#   X11 driver manages no windows in it (Managed=N; given to older prefixes too).
# - --arch: a 64-bit prefix (default) or a 32-bit one, for the shipping i686 build
#   (32-bit Wine, see scripts/install-wine32.sh); an existing prefix keeps
#   the architecture it was made with. Each loader is called by its path: Debian's
#   "wine" command takes the 32-bit loader whenever there is one.
# - The reported platform comes from --winver, else $SETUP_WINVER, else win95;
#   it is Wine's HKCU\Software\Wine "Version" value.
# - Without DISPLAY a private Xvfb (1024x768x24) is started and kept running.
# - Runs in one prefix are serialised (one Windows program at a time), since the
#   platform setting and the desktop are shared by the prefix.
# - WINE_RUN_TRACE=FILE writes a timed trace of this script's commands to FILE,
#   for finding out why a run ended before the program printed anything.
set -euo pipefail

if [[ -n "${WINE_RUN_TRACE:-}" ]]; then
  exec 8>"$WINE_RUN_TRACE"
  BASH_XTRACEFD=8
  PS4='+ $(date +%T.%N) '
  set -x
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix="$here/../build/win64/wineprefix"
winver="${SETUP_WINVER:-win95}"
arch=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --arch) arch="$2"; shift 2 ;;
    --winver) winver="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[[ $# -ge 1 ]] || { echo "usage: wine-run.sh [--prefix DIR] [--arch A] [--winver V] PROGRAM [ARGS...]" >&2; exit 2; }
case "$winver" in win95|nt351|nt40|winxp|win10) ;; *) echo "wine-run.sh: unknown --winver '$winver'" >&2; exit 2 ;; esac

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
prefix_arch=$(cat "$prefix/.setup-arch" 2>/dev/null || true)  # empty until the prefix is made
arch=${arch:-${prefix_arch:-win64}}
case "$arch" in
  win64) wine=/usr/lib/wine/wine64 ;;
  win32) wine=$("$here/wine32-loader.sh") || exit 3 ;;
  *) echo "wine-run.sh: unknown --arch '$arch'" >&2; exit 2 ;;
esac
if [[ -n $prefix_arch && $prefix_arch != "$arch" ]]; then
  echo "wine-run.sh: $prefix is a $prefix_arch prefix, not $arch" >&2; exit 2
fi
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEARCH=$arch

# One Windows program at a time per prefix.
exec 9>"$prefix.lock"
flock 9

# A private X server when there is no display; kept for later runs.
if [[ -z "${DISPLAY:-}" ]]; then
  xnum_file="$prefix.xdisplay"
  xnum=""
  [[ -f "$xnum_file" ]] && xnum=$(cat "$xnum_file")
  if [[ -z "$xnum" || ! -S "/tmp/.X11-unix/X$xnum" ]] || ! kill -0 "$(cat "/tmp/.X$xnum-lock" 2>/dev/null | tr -d ' ')" 2>/dev/null; then
    xnum=90
    while [[ -e "/tmp/.X$xnum-lock" || -S "/tmp/.X11-unix/X$xnum" ]]; do xnum=$((xnum + 1)); done
    setsid Xvfb ":$xnum" -screen 0 1024x768x24 -nolisten tcp -ac </dev/null >/dev/null 2>&1 8>&- 9>&- &
    for _ in $(seq 1 100); do [[ -S "/tmp/.X11-unix/X$xnum" ]] && break; sleep 0.1; done
    echo "$xnum" >"$xnum_file"
  fi
  export DISPLAY=":$xnum"
fi

# The prefix, created once; a persistent wineserver spares each run Wine's start-up.
# It is marked ready only when every step succeeded, so a failed set-up is tried
# again by the next run instead of leaving a broken prefix behind.
if [[ ! -f "$prefix/.setup-ready" ]]; then
  echo "wine-run.sh: creating Wine prefix $prefix" >&2
  echo "$arch" >"$prefix/.setup-arch"
  setup_log="$prefix.setup.log"
  : >"$setup_log"
  setup_step() {  # WHAT COMMAND...: one step of the set-up; on failure says which, and why
    local what=$1 status=0
    shift
    "$@" </dev/null >>"$setup_log" 2>&1 8>&- 9>&- || status=$?
    if [[ $status -ne 0 ]]; then
      echo "wine-run.sh: creating the prefix failed at: $what (status $status); from $setup_log:" >&2
      tail -n 20 "$setup_log" >&2
      exit 3
    fi
  }
  setup_step "wineboot -i" "$wine" wineboot -i
  # A virtual desktop of the screen's size: Wine then draws window frames and
  # captions itself (there is no window manager) and runs the shell's desktop.
  setup_step "the virtual desktop" "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  setup_step "the desktop's size" "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
  # The Japanese fonts dialogs ask for by name, mapped to the IPA fonts (UTF-16 file).
  fonts_reg=$("$wine" winepath -w "$here/wine-fonts.reg" 2>>"$setup_log" 8>&- 9>&-) || fonts_reg=""
  [[ -n "$fonts_reg" ]] || setup_step "the Windows path of wine-fonts.reg" false
  setup_step "the font replacements" "$wine" regedit /S "$fonts_reg"
  setup_step "wineserver -w" wineserver -w
  touch "$prefix/.setup-ready"
fi
# Debian's Wine looks for its own fonts under "<data dir>\../fonts", a path it cannot
# resolve, so none of them loads: without Marlett the caption's close box shows an "r".
# Wine also loads every font in the prefix's Windows\Fonts folder: link them there.
wine_fonts=/usr/share/wine/fonts
prefix_fonts="$prefix/drive_c/windows/Fonts"
if [[ -f "$wine_fonts/marlett.ttf" && -d "$prefix_fonts" && ! -e "$prefix_fonts/marlett.ttf" ]]; then
  ln -sf "$wine_fonts"/* "$prefix_fonts/"
fi

# (Daemons must not inherit the lock's descriptor 9.) "wineserver -p" answers 0 when
# it started a new server and 2 when one was running. A new server has none of Wine's
# service processes yet: start them here, detached from our output, or they would start
# with the program and keep its stdout pipe open (a test runner would then wait forever).
server_status=0
wineserver -p </dev/null >/dev/null 2>&1 8>&- 9>&- || server_status=$?
if [[ $server_status -eq 0 ]]; then
  "$wine" wineboot </dev/null >/dev/null 2>&1 8>&- 9>&- || true
fi

# No window manager runs on Xvfb, and closing a window Wine lets one manage waits up to
# 2 s for it. In the virtual desktop Wine manages no windows anyway; this keeps it so
# for a prefix run without one. Set once per prefix, older prefixes included.
if [[ ! -f "$prefix/.setup-unmanaged" ]]; then
  if ! "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 8>&- 9>&-; then
    echo "wine-run.sh: could not set Wine's X11 driver to manage no windows" >&2
    exit 3
  fi
  touch "$prefix/.setup-unmanaged"
fi

if [[ "$(cat "$prefix/.setup-winver" 2>/dev/null)" != "$winver" ]]; then
  if ! "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$winver" /f </dev/null >/dev/null 2>&1 8>&- 9>&-; then
    echo "wine-run.sh: could not set the reported platform to $winver" >&2
    exit 3
  fi
  echo "$winver" >"$prefix/.setup-winver"
fi

program="$1"; shift
status=0
"$wine" "$program" "$@" 8>&- 9>&- || status=$?
{ set +x; } 2>/dev/null
exit $status
