#!/usr/bin/env bash
# Runs one end-to-end scenario with the UI driver under Wine.
#
#   run-scenario.sh [--build DIR] [--winver V] SCENARIO.steps
#
# The build folder's programs decide the Wine prefix: BUILD/wineprefix, 64-bit for the
# x86_64 build, 32-bit for the shipping i686 one. Where 32-bit Wine cannot run, a
# scenario of the i686 build is skipped (exit status 77). --winver overrides the
# scenario's own platform.
#
# Comment lines at the top of the scenario say how to set it up:
#   # program: SETUP.EXE        the program, copied from the build folder into the
#                               media folder and started there (default SETUP.EXE);
#                               a Windows path (C:\...) is started as it is
#   # arguments: /S "a b"       the program's arguments, as bash splits and unquotes them
#   # media: examples/sample    a folder (relative to the repository) copied into
#                               the media folder first (default, or "none": nothing)
#   # winver: nt40              the platform Wine reports (default: win95)
#   # platforms: win95 nt40     read by the build, not here: one CTest test per platform,
#                               each running this script with --winver
#   # driver-fails-with: TEXT   the driver must fail and print TEXT (repeatable);
#                               for scenarios that test the driver's own failures
#   # driver-status: 2          the status the failing driver must end with (default 1)
#   # prepare: SHELL            a bash command run before the program starts (repeatable)
#   # check: SHELL              a bash command run after the driver passed; it must
#                               succeed (repeatable)
#   # cleanup: SHELL            a bash command run at the end, whatever happened
#                               (repeatable; undo what prepare changed in the prefix)
#   # layout: cd                lay the media out with orvmedia build, from
#                               the scenario's SETUP.INF, the media folder named
#                               above and the build's payload: "cd" (one folder
#                               with every file and DISKn tag) or "floppy"
#                               (MEDIA/disk1, disk2, ...; drive A: is a floppy drive
#                               holding disk1 and the program starts as A:\PROGRAM)
#   # payload: vertest/1        a folder of BUILD/payload the media builder may take
#                               files from (repeatable; default: sample)
#   # disk-size: 20000000       the floppies' size for the media builder
#   # images: yes               the media builder also makes disk images, and the
#                               media folders are replaced by what mtools (floppy)
#                               or xorriso (cd) read back from them
# Those commands run in the media folder and see MEDIA (the media folder), DRIVE_C
# (the prefix's C: drive), START_MENU (the user's Start Menu folder in the prefix),
# FLOPPY (the prefix's link for drive A:), the command insert-disk N (floppy
# layout: put MEDIA/diskN into drive A:), the functions
# wine_run (a Windows program under the scenario's Wine prefix and platform, e.g.
# wine_run reg add 'HKCU\X' /f) and end_wine (ends the prefix's Wine processes,
# its desktop's windows included), and the helpers of tests/e2e/bin (wine-output,
# dos-attributes, remove-win-ini-section, setup-again, prefix-snapshot; see
# tools/uidriver/README.md).
# The driver's shell steps see the same, but not wine_run, end_wine and the helpers that run
# Windows programs. Drive A: is taken away again at the end.
# A file NAME.inf beside NAME.steps (UTF-8, for reading and review) becomes the
# media folder's SETUP.INF, converted to Shift-JIS as the installer expects.
# The media folder BUILD/e2e/NAME/media is made afresh; the driver runs in it
# (relative paths in expect-file are relative to it); screenshots end up as
# PNG files in BUILD/e2e/NAME/screens.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$top/build/win64"
winver_option=""
while [[ $# -gt 1 ]]; do
  case "$1" in
    --build) build="$2"; shift 2 ;;
    --winver) winver_option="$2"; shift 2 ;;
    *) break ;;
  esac
done
[[ $# -eq 1 ]] || { echo "usage: run-scenario.sh [--build DIR] [--winver V] SCENARIO.steps" >&2; exit 2; }
build=$(cd "$build" && pwd)  # the driver runs in the media folder
scenario=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
name=$(basename "$scenario" .steps)

header() {  # the values of "# KEY: value" lines, one a line
  sed -n "s/^#[[:space:]]*$1:[[:space:]]*//p" "$scenario" | sed 's/[[:space:]]*$//'
}
last_header() { header "$1" | tail -n1; }  # for the keys that are not repeatable
program=$(last_header program); program=${program:-SETUP.EXE}
eval "arguments=($(last_header arguments))"
media_source=$(last_header media); [[ $media_source != none ]] || media_source=""
winver=$(last_header winver); winver=${winver_option:-${winver:-win95}}

# The processor of the build's programs: the machine field of the driver's PE header.
pe_offset=$(od -An -tu4 -j60 -N4 "$build/uidriver.exe" | tr -d ' ')
case "$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$build/uidriver.exe" | tr -d ' ')" in
  014c) arch=win32 ;;
  *) arch=win64 ;;
esac
if [[ $arch == win32 ]] && ! "$top/scripts/wine32-loader.sh" >/dev/null; then
  echo "run-scenario.sh: SKIPPED $name: 32-bit Wine does not run on this machine," \
       "so the shipping build is not tested (scripts/install-wine32.sh sets it up)" >&2
  exit 77
fi

layout=$(last_header layout)
mapfile -t payloads < <(header payload)
((${#payloads[@]})) || payloads=(sample)
case "$layout" in ""|cd|floppy) ;; *) echo "run-scenario.sh: unknown layout '$layout'" >&2; exit 2 ;; esac

# Replaces the media folders by what the image tools read back from the disk images.
read_back_images() {  # LAYOUT MEDIA
  local layout=$1 media=$2 image disk
  if [[ $layout == floppy ]]; then
    for image in "$media"/disk*.img; do
      disk="$media/$(basename "$image" .img)"
      rm -rf "$disk"; mkdir -p "$disk"
      LC_ALL=C.UTF-8 MTOOLS_SKIP_CHECK=1 mcopy -s -n -i "$image" '::/*' "$disk/" || return 1
    done
  else
    mv "$media/cd.iso" "$work/cd.iso"
    rm -rf "$media"; mkdir -p "$media"
    LC_ALL=C.UTF-8 xorriso -osirrox on -indev "$work/cd.iso" -extract / "$media" >/dev/null 2>&1 || return 1
    chmod -R u+w "$media"
  fi
}

work="$build/e2e/$name"
media="$work/media"
rm -rf "$work"; mkdir -p "$media" "$work/screens"
# Without a layout the media folder is the named folder as it is; with one, that
# folder (and the scenario's SETUP.INF) are the builder's sources.
sources="$media"; [[ -n "$layout" ]] && sources="$work/source"
mkdir -p "$sources"
if [[ -z "$layout" && -n "$media_source" ]]; then cp -r "$top/$media_source/." "$media/"; fi
if [[ -f "${scenario%.steps}.inf" ]]; then
  iconv -f UTF-8 -t CP932 "${scenario%.steps}.inf" >"$sources/SETUP.INF"
fi
# A program named by a Windows path is one of the prefix (started as it is, the media's
# installer being SETUP.EXE); any other is a file of the build folder, copied.
installed_program=false; [[ $program == ?:\\* ]] && installed_program=true
setup_program="$build/$program"; $installed_program && setup_program="$build/SETUP.EXE"
start="$media/${program##*/}"; $installed_program && start=$program
if [[ -z "$layout" ]]; then
  $installed_program || cp "$build/$program" "$start"
else
  from=(--source "$sources")
  if [[ -n "$media_source" ]]; then from+=(--source "$top/$media_source"); fi
  for payload in "${payloads[@]}"; do from+=(--source "$build/payload/$payload"); done
  mkdir -p "$work/programs"
  cp "$setup_program" "$work/programs/SETUP.EXE"
  cp "$build/__SETUP.EXE" "$build/ORVUN100.EXE" "$work/programs/"
  options=(--layout "$layout")
  disk_size=$(last_header disk-size); [[ -z "$disk_size" ]] || options+=(--disk-size "$disk_size")
  images=$(last_header images); [[ "$images" != yes ]] || options+=(--images)
  script="$sources/SETUP.INF"
  [[ -f "$script" || -z "$media_source" ]] || script="$top/$media_source/SETUP.INF"
  "$build/orvmedia-native/orvmedia" build "$script" --out "$media" --programs "$work/programs" \
    "${options[@]}" "${from[@]}" || exit 1
  if [[ "$images" == yes ]]; then read_back_images "$layout" "$media" || exit 1; fi
  if [[ $layout == floppy ]] && ! $installed_program; then start="A:\\$program"; fi
fi

# A Windows program in the scenario's prefix, processor and platform: scenario_wine for
# the driver and the helpers of tests/e2e/bin, wine_run (quiet) for the header commands.
scenario_wine() {
  "$top/scripts/wine-run.sh" --prefix "$build/wineprefix" --arch "$arch" --winver "$winver" "$@"
}
wine_run() { scenario_wine "$@" </dev/null >/dev/null 2>&1; }
export -f scenario_wine wine_run
export top build winver arch
export MEDIA="$media" DRIVE_C="$build/wineprefix/drive_c" FLOPPY="$build/wineprefix/dosdevices/a:"
# Wine names the prefix's user profile after the Unix user.
export START_MENU="$DRIVE_C/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu"
export PATH="$top/tests/e2e/bin:$PATH"

# Ends every Wine process of the prefix (its desktop with any window left open too) and
# waits for its server to go; the next program starts them afresh.
end_wine() {
  WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$build/wineprefix" wineserver -w 2>/dev/null || true
}
export -f end_wine
# Wine's mount manager reads the drive types when it starts: restart the server so
# it takes drive A: as a floppy drive (and, at the end, forgets it again).
floppy_drive() {  # on | off
  if [[ $1 == on ]]; then
    insert-disk 1
    wine_run reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f
  else
    rm -f "$FLOPPY"
    wine_run reg delete 'HKLM\Software\Wine\Drives' /v a: /f || true
  fi
  end_wine
}

run_commands() {  # the commands of one header kind, in order; the first failure counts
  local kind=$1 command commands
  # Read in full first, and none reads its input: a command that reads (cat, or a Windows
  # program) would otherwise take the commands after it, which then never ran.
  mapfile -t commands < <(header "$kind")
  for command in "${commands[@]}"; do
    [[ -n "$command" ]] || continue
    if ! (cd "$media" && bash -euo pipefail -c "$command" </dev/null); then
      echo "run-scenario.sh: $kind command failed: $command" >&2
      return 1
    fi
  done
}
cleanup() {
  run_commands cleanup || true
  if [[ $layout == floppy ]]; then floppy_drive off; fi
}
trap cleanup EXIT

if [[ -n "$(header prepare)" || $layout == floppy ]]; then
  # The prefix must exist before anything is put into it.
  [[ -f "$build/wineprefix/.setup-ready" ]] || wine_run cmd /c exit || true
fi
if [[ $layout == floppy ]]; then floppy_drive on || exit 1; fi
run_commands prepare || exit 1

run_driver() {  # sets status; the driver's output goes to driver.log, Wine's start to the trace
  status=0
  (cd "$media" && WINE_RUN_TRACE="$work/wine-run.trace" \
     scenario_wine "$build/uidriver.exe" --screens "$work/screens" --script "$scenario" "$start" "${arguments[@]}") \
     >"$work/driver.log" 2>&1 || status=$?
}
run_driver
# Every line the driver prints starts with "uidriver: ". A failure without any such
# line means Wine or the wrapper failed before the driver ran: show why, and try
# once more, since that is a fault of the test machine and not of the program.
if [[ $status -ne 0 ]] && ! grep -q '^uidriver: ' "$work/driver.log"; then
  echo "run-scenario.sh: the driver did not start (status $status); output and Wine start-up trace:" >&2
  cat "$work/driver.log" "$work/wine-run.trace" >&2 || true
  echo "run-scenario.sh: running the driver once more" >&2
  run_driver
fi
cat "$work/driver.log"
[[ $status -eq 0 ]] || echo "run-scenario.sh: the driver ended with status $status" >&2
"$top/tools/uidriver/bmp-to-png.sh" "$work/screens"

mapfile -t failures < <(header driver-fails-with)
if [[ ${#failures[@]} -eq 0 ]]; then
  [[ $status -eq 0 ]] || exit "$status"
  run_commands check || exit 1
  exit 0
fi
wanted_status=$(last_header driver-status); wanted_status=${wanted_status:-1}
if [[ $status -ne $wanted_status ]]; then
  echo "run-scenario.sh: the driver should have failed (status $wanted_status) but ended with $status" >&2
  exit 1
fi
for text in "${failures[@]}"; do
  if ! grep -qF -- "$text" "$work/driver.log"; then
    echo "run-scenario.sh: the driver's output lacks: $text" >&2
    exit 1
  fi
done
echo "run-scenario.sh: the driver failed as expected"
