#!/bin/sh
# need_native.sh FILE COMMAND...: runs COMMAND when FILE, a part of the native
# build, is there; otherwise says how to make it and fails.
file=$1
shift
if [ ! -e "$file" ]; then
  echo "missing $file: this test needs the native build first:" >&2
  echo "  cmake --preset default && cmake --build --preset default" >&2
  echo "(or point CHANNELFLOW_NATIVE_BUILD at another native build folder)" >&2
  exit 1
fi
exec "$@"
