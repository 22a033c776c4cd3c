#!/usr/bin/env bash
# Makes the program's two sounds with sox: a short rising chime for the start
# and the same chime falling for the end. 16-bit mono at 22050 Hz, each well
# under a second. The output is committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/../assets/sounds"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One bell-like note: a sine with a soft octave above it, quick attack and a
# gentle decay.
note() {  # frequency-in-Hz length-in-seconds output
  sox -V1 -D -n -r 22050 -b 16 -c 1 "$3" \
    synth "$2" sine "$1" sine "$(echo "$1 * 2" | bc -l)" remix 1v0.8,2v0.2 \
    fade q 0.008 "$2" "$(echo "$2 * 0.7" | bc -l)" gain -n -6
}

# C6, E6, G6: a major triad, rising then falling.
note 1046.50 0.14 "$work/c.wav"
note 1318.51 0.14 "$work/e.wav"
note 1567.98 0.30 "$work/g.wav"
sox -V1 -D "$work/c.wav" "$work/e.wav" "$work/g.wav" StartSound.wav

note 1567.98 0.14 "$work/g2.wav"
note 1318.51 0.14 "$work/e2.wav"
note 1046.50 0.30 "$work/c2.wav"
sox -V1 -D "$work/g2.wav" "$work/e2.wav" "$work/c2.wav" EndSound.wav

soxi StartSound.wav EndSound.wav
