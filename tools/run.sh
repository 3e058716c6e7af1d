#!/usr/bin/env bash
# Sets up the machine, builds Kelvane and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
exec ./build/release/kelvane "$@"
