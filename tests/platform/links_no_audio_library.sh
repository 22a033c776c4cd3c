#!/bin/sh
# The long-running program maps no audio library: only the player does.
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
echo "$needed"
if echo "$needed" | grep -Eq 'sndfile|asound|FLAC|vorbis|opus|ogg|mpg123|mp3lame'; then
  echo "nav_manager links an audio library" >&2
  exit 1
fi
readelf -d "$2" | grep -q 'libasound' || { echo "the player does not link ALSA" >&2; exit 1; }
