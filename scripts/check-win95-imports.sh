#!/usr/bin/env bash
# Fails when a shipping (i686) program imports a function that Windows 95 or NT 4.0
# lack. The list names what toolchain runtimes are known to pull in (winpthreads,
# per-thread destructors) and what has slipped into our own code before.
#
#   check-win95-imports.sh PROGRAM...   every shipped program of the i686 build
#
# A program that is missing or that objdump cannot read fails the check too.
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: check-win95-imports.sh PROGRAM..." >&2; exit 2; }
status=0
for exe in "$@"; do
  if [[ ! -f "$exe" ]]; then
    echo "$exe: missing, so its imports cannot be checked"
    status=1
    continue
  fi
  if ! imports=$(i686-w64-mingw32-objdump -p "$exe" 2>&1); then
    echo "$exe: objdump could not read it: $imports"
    status=1
    continue
  fi
  found=$(grep -oE '\b(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetModuleHandleEx[AW]|GetHandleInformation|InitializeConditionVariable|InitializeSRWLock|AcquireSRWLock[A-Za-z]*|InitOnceExecuteOnce|FlsAlloc|GetSystemTimePreciseAsFileTime|CreateSymbolicLink[AW]|GetFileAttributesEx[AW])\b' <<<"$imports" | sort -u || true)
  if [[ -n "$found" ]]; then
    echo "$exe imports functions that Windows 95/NT 4.0 lack:" $found
    status=1
  else
    echo "$exe: imports fit Windows 95/NT 4.0"
  fi
done
exit $status
