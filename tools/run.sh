#!/usr/bin/env bash
# Sets up the machine, builds Kelvane and starts it. Arguments go to the game; until
# the game has its main menu, a run that names no level plays the first one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
args=("$@")
case " $* " in
  *" --level "*) ;;
  *) args=(--level 1 "${args[@]}") ;;
esac
exec ./build/release/kelvane "${args[@]}"
