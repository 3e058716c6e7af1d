#!/usr/bin/env bash
# Sets up the machine, builds Kelvane and starts it in its main menu. Arguments go to
# the game (--level N goes straight into a level).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec ./build/release/kelvane "$@"
