#!/usr/bin/env bash
# Makes the program's icon, assets/icons/nav_manager.ico, from its drawing
# nav_manager.svg: one icon group with 16, 32 and 48 pixel images and a
# 256 pixel one kept as PNG, as Windows expects of a large icon. The output is
# committed; run this only to change the icon. Needs rsvg-convert
# (librsvg2-bin) and icotool (icoutils), installed for this alone:
#   apt-get install librsvg2-bin icoutils
set -euo pipefail
cd "$(dirname "$0")/../assets/icons"

for tool in rsvg-convert icotool; do
  command -v "$tool" >/dev/null ||
    { echo "make-icon.sh: $tool is missing (apt-get install librsvg2-bin icoutils)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 16 32 48 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$work/$size.png" nav_manager.svg
done
icotool --create --output nav_manager.ico \
  "$work/16.png" "$work/32.png" "$work/48.png" --raw="$work/256.png"
icotool --list nav_manager.ico
