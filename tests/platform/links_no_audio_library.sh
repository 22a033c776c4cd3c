#!/bin/sh
# The long-running program maps no audio library; the player maps ALSA alone,
# no sound-file library or codec.
set -eu
needed() { readelf -d "$1" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'; }
program=$(needed "$1")
player=$(needed "$2")
echo "$program"
if echo "$program" | grep -Eq 'sndfile|asound|FLAC|vorbis|opus|ogg|mpg123|mp3lame'; then
  echo "nav_manager links an audio library" >&2
  exit 1
fi
echo "$player" | grep -q 'libasound' || { echo "the player does not link ALSA" >&2; exit 1; }
if echo "$player" | grep -Eq 'sndfile|FLAC|vorbis|opus|ogg|mpg123|mp3lame'; then
  echo "the player links a sound-file library or codec" >&2
  exit 1
fi
