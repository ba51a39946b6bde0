#!/usr/bin/env bash
# Fails when a shipping (i686) program imports a function that Windows 95 or NT 4.0
# lack. The list names what toolchain runtimes are known to pull in (winpthreads,
# per-thread destructors) and what has slipped into our own code before, or could
# (GetBinaryTypeA exists on Windows NT only: the installer looks it up at run time).
set -euo pipefail
status=0
for exe in "$@"; do
  found=$(i686-w64-mingw32-objdump -p "$exe" | grep -oE '\b(GetTickCount64|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetModuleHandleEx[AW]|GetHandleInformation|InitializeConditionVariable|InitializeSRWLock|AcquireSRWLock[A-Za-z]*|InitOnceExecuteOnce|FlsAlloc|GetSystemTimePreciseAsFileTime|CreateSymbolicLink[AW]|GetFileAttributesEx[AW]|GetBinaryTypeA)\b' | sort -u || true)
  if [[ -n "$found" ]]; then
    echo "$exe imports functions that Windows 95/NT 4.0 lack:" $found
    status=1
  else
    echo "$exe: imports fit Windows 95/NT 4.0"
  fi
done
exit $status
