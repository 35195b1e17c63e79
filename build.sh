#!/bin/sh
# The two commands for a fresh Debian 12: `./build.sh run` builds and starts Kalvo,
# `./build.sh test` builds it and runs every test. Any other make target works the same way,
# e.g. `./build.sh deb`. The missing Debian packages, make included, are installed first (with
# sudo when not root), so nothing but a shell is needed.
set -eu
cd "$(dirname "$0")"
if [ $# -eq 0 ]; then
    echo "usage: ./build.sh run | test | deb | <make target>..." >&2
    exit 2
fi
scripts/install-deps
exec make "$@"
