#!/usr/bin/env bash
# Prints the path of the 32-bit Wine loader when it runs on this machine; otherwise says
# why not and fails. scripts/install-wine32.sh sets it up (as /usr/lib/wine/wine32, or
# wine32's own /usr/lib/wine/wine where that was installed before).
for loader in /usr/lib/wine/wine32 /usr/lib/wine/wine; do
  if [[ -x $loader ]]; then
    if timeout 60 "$loader" --version >/dev/null 2>&1; then echo "$loader"; exit 0; fi
    echo "wine32-loader.sh: $loader does not run (is qemu-i386 registered with binfmt_misc?" \
         "scripts/install-wine32.sh registers it)" >&2
    exit 1
  fi
done
echo "wine32-loader.sh: no 32-bit Wine here (scripts/install-wine32.sh installs it)" >&2
exit 1
