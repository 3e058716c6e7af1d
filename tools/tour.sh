#!/usr/bin/env bash
# Plays the front end's tour and writes a screenshot of every page it visits: one run of
# the game per "# shot STEP NAME" line of the tour, stopped at that step. A line
# "# shot-level LEVEL SCRIPT STEP NAME" plays SCRIPT in that level instead (the score
# screen after a level's solution).
#   tools/tour.sh [OUT_DIR] [kelvane options...]
#     TOUR=tools/tour/menus.txt (default) or tools/tour/menus-keys.txt
#     KELVANE=build/release/kelvane (default)
# The options of the runs stay in a folder of their own, so the player's are not
# touched; without a display the runs go through xvfb-run.
# Example, the key tour full screen on a 1024 x 768 screen:
#   TOUR=tools/tour/menus-keys.txt xvfb-run -a -s "-screen 0 1024x768x24" tools/tour.sh shots-4x3 --fullscreen
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-build/tour}"
shift || true
extra=("$@")
[ ${#extra[@]} -eq 0 ] && extra=(--windowed)
tour="${TOUR:-tools/tour/menus.txt}"
kelvane="${KELVANE:-build/release/kelvane}"
mkdir -p "$out"

run=("$kelvane")
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1920x1080x24" "$kelvane")
fi

# Each run starts from the default options, as the tour itself does.
grep -E '^# shot [0-9]+ [A-Za-z0-9_-]+$' "$tour" | while read -r _ _ step name; do
  config="$(mktemp -d)"
  XDG_CONFIG_HOME="$config" "${run[@]}" "${extra[@]}" --input "$tour" --frames "$step" \
    --screenshot "$out/$name.png" >/dev/null
  rm -rf "$config"
  echo "$out/$name.png"
done
grep -E '^# shot-level [0-9]+ [^ ]+ [0-9]+ [A-Za-z0-9_-]+$' "$tour" | while read -r _ _ level script step name; do
  config="$(mktemp -d)"
  XDG_CONFIG_HOME="$config" "${run[@]}" "${extra[@]}" --level "$level" --input "$script" --frames "$step" \
    --screenshot "$out/$name.png" >/dev/null
  rm -rf "$config"
  echo "$out/$name.png"
done
