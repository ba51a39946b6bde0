#!/usr/bin/env bash
# Lays out installation media for a product from its SETUP.INF and its files.
#
#   build-media.sh --layout cd|floppy --out DIR --setup SETUP.EXE [--uninstaller ORVUN100.EXE]
#                  [--group-helper __SETUP.EXE] [--inf SETUP.INF] --from DIR [--from DIR ...]
#
# Every file item of SETUP.INF (sections InstallFiles, Common::InstallFiles and
# OPTION::InstallFIles for each key of InstallOption; lines "name = disk, source
# dir, source file, reserved, dest dir, dest file, size, ...") is put on its disk
# under its source directory and source file name:
# - a file of exactly that name in a --from folder is copied as it is;
# - otherwise, for a source name ending in "_" (SAMPLE.EX_), the plain file is
#   compressed in the SZDD format with mscompress; the plain file's name is the
#   source name with the "_" replaced by the last character of the destination
#   file name (SAMPLE.EX_ + SAMPLE.EXE -> SAMPLE.EXE), or failing that the only
#   file whose name differs from the source name in its last character.
# Each file is looked for in the --from folders in order, first under the item's
# source directory (\DATA -> DATA/), then at the folder's top.
# Unless [Config] Uninstall is switched off (its first field other than TRUE), the
# installer adds the companion uninstaller ORVUN100.EX_ on disk 1: --uninstaller
# names its plain program.
#
# Layouts: "cd" puts every file into DIR with one tag file DISK1 ... DISKn (n the
# highest disk number) at the top; "floppy" makes DIR/disk1 ... DIR/diskn, each
# with its own files and its tag file DISKk. SETUP.EXE and SETUP.INF go to the top
# (cd) or onto disk 1 (floppy), and so does the program-group helper __SETUP.EXE
# (--group-helper names it), which the installer starts from its own directory on
# Windows NT before 4.0. DIR is made afresh.
# A file whose size differs much from its size in SETUP.INF is reported on stderr
# (that size drives the free-space check and the progress bar).
set -euo pipefail

die() { echo "build-media.sh: $*" >&2; exit 1; }

layout="" out="" setup="" uninstaller="" group_helper="" inf=""
from=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --layout) layout="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --setup) setup="$2"; shift 2 ;;
    --uninstaller) uninstaller="$2"; shift 2 ;;
    --group-helper) group_helper="$2"; shift 2 ;;
    --inf) inf="$2"; shift 2 ;;
    --from) from+=("$2"); shift 2 ;;
    *) die "unknown argument '$1' (see the comment at the top of this script)" ;;
  esac
done
[[ "$layout" == cd || "$layout" == floppy ]] || die "--layout must be cd or floppy"
[[ -n "$out" && "$out" != / ]] || die "--out names no folder"
[[ -f "$setup" ]] || die "no installer program: --setup '$setup'"
[[ -z "$group_helper" || -f "$group_helper" ]] || die "no group helper program: --group-helper '$group_helper'"
((${#from[@]})) || die "name at least one --from folder"
if [[ -z "$inf" ]]; then
  for dir in "${from[@]}"; do [[ -f "$dir/SETUP.INF" ]] && { inf="$dir/SETUP.INF"; break; }; done
fi
[[ -f "$inf" ]] || die "no SETUP.INF (--inf, or one in a --from folder)"
command -v mscompress >/dev/null || die "mscompress is missing (Debian package mscompress)"

# The script's file items, one a line: kind ("file", or "uninstaller" for the item
# the installer adds), disk, source dir, source file, destination file and size,
# separated by the byte 0x1F (a tab would let empty fields vanish in "read").
# Sections and keys are read as the installer reads them: byte by byte (the file
# is Shift-JIS), keys end at a blank, tab, ";" or "=", exact names, and the first
# of two sections with one name counts; fields are cut at commas outside double
# quotes, and one enclosing pair of quotes is removed.
list_file_items() {
  LC_ALL=C awk '
    function field(line, index_,    i, c, quoted, n, start, text) {
      quoted = 0; n = 0; start = 1
      for (i = 1; i <= length(line); i++) {
        c = substr(line, i, 1)
        if (c == "\"") quoted = !quoted
        else if (c == "," && !quoted) {
          if (n == index_) break
          n++; start = i + 1
        }
      }
      if (n < index_) return ""
      text = substr(line, start, i - start)
      if (length(text) >= 1 && substr(text, 1, 1) == "\"" && substr(text, length(text), 1) == "\"")
        text = length(text) == 1 ? "" : substr(text, 2, length(text) - 2)
      return text
    }
    function number(text) { return match(text, /^[ \t]*[-+]?[0-9]+/) ? substr(text, RSTART, RLENGTH) + 0 : 0 }
    {
      sub(/\r$/, "")
      line = $0; sub(/^[ \t]+/, "", line)
      if (line == "" || substr(line, 1, 1) == ";") next
      if (substr(line, 1, 1) == "[") {
        name = substr(line, 2); sub(/\].*$/, "", name)
        section = (name in seen) ? "" : name   # a repeated section is never selected
        seen[name] = 1; order[++sections] = section
        next
      }
      if (section == "") next
      key = line; sub(/[ \t;=].*$/, "", key)
      rest = substr(line, length(key) + 1)
      value = ""
      if (substr(rest, 1, 1) != ";" && (p = index(rest, "=")) > 0) {
        value = substr(rest, p + 1); sub(/^[ \t]+/, "", value)
        if (substr(value, 1, 1) == ";") value = ""
      }
      count[section]++
      keys[section, count[section]] = key; values[section, count[section]] = value
    }
    function emit(section,    i, v) {
      for (i = 1; i <= count[section]; i++) {
        v = values[section, i]
        if (v == "") continue
        printf "file\037%d\037%s\037%s\037%s\037%d\n", number(field(v, 0)), field(v, 1), field(v, 2), field(v, 5), number(field(v, 6))
      }
    }
    END {
      emit("InstallFiles"); emit("Common::InstallFiles")
      for (i = 1; i <= count["InstallOption"]; i++) emit(keys["InstallOption", i] "::InstallFIles")
      uninstall = 1
      for (i = 1; i <= count["Config"]; i++)
        if (keys["Config", i] == "Uninstall") { uninstall = field(values["Config", i], 0) == "TRUE"; break }
      if (uninstall) printf "uninstaller\0371\037\037ORVUN100.EX_\037ORVUN100.EXE\0370\n"
    }' "$inf"
}

# Finds a file of the given name for the given source directory; prints its path.
find_source() {
  local subdir=$1 name=$2 dir
  for dir in "${from[@]}"; do
    [[ -n "$subdir" && -f "$dir/$subdir/$name" ]] && { echo "$dir/$subdir/$name"; return 0; }
    [[ -f "$dir/$name" ]] && { echo "$dir/$name"; return 0; }
  done
  return 1
}

# Finds the plain file of a compressed name; prints its path.
find_plain_source() {
  local subdir=$1 name=$2 dest=$3 stem=${2%_} dir candidate
  if [[ -n "$dest" ]] && find_source "$subdir" "$stem${dest: -1}"; then return 0; fi
  for dir in "${from[@]}"; do
    for candidate in "$dir/$subdir" "$dir"; do
      local matches=()
      for file in "$candidate/$stem"?; do
        [[ -f "$file" && "$file" != "$candidate/$name" ]] && matches+=("$file")
      done
      if ((${#matches[@]} == 1)); then echo "${matches[0]}"; return 0; fi
      ((${#matches[@]} > 1)) && die "$name: several plain files could be meant: ${matches[*]}"
    done
  done
  return 1
}

# Compresses PLAIN into TARGET (SZDD) and checks that it expands back unchanged.
# mscompress writes NAME_ beside its input, leaves the header's "missing last
# character" byte 0 (filled in here: expanders use it to name the file), and
# garbles files under 16 bytes: those are stored as literals, eight to a flag byte.
compress_to() {
  local plain=$1 target=$2 work size offset
  work=$(mktemp -d)
  cp "$plain" "$work/f"
  size=$(stat -c %s "$plain")
  if ((size >= 16)); then
    (cd "$work" && mscompress f)
  else
    {
      printf 'SZDD\x88\xf0\x27\x33A\0'
      printf "\\x$(printf %02x "$size")\\0\\0\\0"   # the expanded size, little-endian
      for ((offset = 0; offset < size; offset += 8)); do
        printf '\xff'
        dd if="$plain" bs=1 skip="$offset" count=8 status=none
      done
    } >"$work/f_"
  fi
  printf '%s' "${plain: -1}" | dd of="$work/f_" bs=1 seek=9 count=1 conv=notrunc status=none
  msexpand <"$work/f_" | cmp -s - "$plain" || die "$target: the compressed file does not expand to $plain"
  mv "$work/f_" "$target"
  rm -rf "$work"
}

mapfile -t items < <(list_file_items)
((${#items[@]})) || die "$inf lists no files to install"

for dir in "${from[@]}"; do
  [[ "$(realpath -m "$dir")" != "$(realpath -m "$out")" ]] || die "--out must not be a --from folder"
done
rm -rf "$out"
mkdir -p "$out"

highest=1
for item in "${items[@]}"; do
  IFS=$'\x1f' read -r kind disk subdir name dest size <<<"$item"
  [[ -n "$name" ]] || die "an item on disk $disk has no source file name"
  ((disk >= 1)) || die "$name: disk number $disk (disks are numbered from 1)"
  ((disk > highest)) && highest=$disk
  subdir=${subdir//\\//}; subdir=${subdir#/}
  folder="$out"; [[ $layout == floppy ]] && folder="$out/disk$disk"
  [[ -n "$subdir" ]] && folder="$folder/$subdir"
  mkdir -p "$folder"

  plain="" installed=""
  if [[ $kind == uninstaller ]]; then
    [[ -f "$uninstaller" ]] || die "SETUP.INF leaves the uninstaller switched on: name its program with --uninstaller"
    compress_to "$uninstaller" "$folder/$name"
  elif source=$(find_source "$subdir" "$name"); then
    cp "$source" "$folder/$name"
    [[ "$name" == *_ ]] || installed=$source
  elif [[ "$name" == *_ ]] && plain=$(find_plain_source "$subdir" "$name" "$dest"); then
    compress_to "$plain" "$folder/$name"
    installed=$plain
  else
    die "$name (disk $disk, source directory '${subdir:-(top)}') is in no --from folder: ${from[*]}"
  fi

  # The size in SETUP.INF is that of the installed (expanded) file.
  if [[ -n "$installed" ]]; then
    actual=$(stat -c %s "$installed")
    if ((actual > size * 2 || actual * 2 < size)); then
      echo "build-media.sh: warning: $name: SETUP.INF says $size bytes, the installed file has $actual" >&2
    fi
  fi
done

for ((disk = 1; disk <= highest; disk++)); do
  if [[ $layout == floppy ]]; then
    mkdir -p "$out/disk$disk"
    : >"$out/disk$disk/DISK$disk"
  else
    : >"$out/DISK$disk"
  fi
done
top="$out"; [[ $layout == floppy ]] && top="$out/disk1"
cp "$setup" "$top/SETUP.EXE"
[[ -z "$group_helper" ]] || cp "$group_helper" "$top/__SETUP.EXE"
cp "$inf" "$top/SETUP.INF"
