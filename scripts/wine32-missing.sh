#!/usr/bin/env bash
# The notice that the shipping build's scenarios cannot run on this machine.
cat >&2 <<'NOTICE'

########################################################################################
##  32-bit Wine does not run on this machine: the end-to-end scenarios of the shipping
##  i686 SETUP.EXE are SKIPPED (its import check still runs). scripts/install-wine32.sh
##  says what they need: i386 packages, qemu-user-static 10, binfmt_misc.
########################################################################################

NOTICE
