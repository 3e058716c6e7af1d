#!/usr/bin/env bash
# Builds the level fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build/fuzz and runs it over level files for a bounded time.
#   tools/fuzz.sh [seconds] [extra libFuzzer flags...]      (default 180 seconds)
# Exits non-zero when the fuzzer finds a crash, a hang, a leak or a sanitizer report;
# the input that did it is kept in build/fuzz/findings/. The corpus it grows is kept in
# tests/fuzz/corpus/ (not in git); the seeds are written anew on every run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-180}"
shift || true
# Absolute paths: the fuzzer works from the data root whatever folder it was started in.
build="$PWD/build/fuzz"
seeds="$build/seeds"
corpus="$PWD/tests/fuzz/corpus"
findings="$build/findings"

# The pictures and sounds the levels name come from the game's own build.
[ -f resource/.baked ] || bash tools/build.sh release

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_FUZZ=ON -DKELVANE_TESTS=OFF -DKELVANE_BENCH=OFF
# The game itself too, to list the types.
cmake --build "$build" --parallel "$jobs" --target kelvane kelvane_level_fuzzer

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
fuzzer="$build/kelvane_level_fuzzer"

# ---- seeds: the real levels, one object of every type as the game writes it, and
# level files damaged in the ways a hand, a crash or a disk damages them.
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$findings"
cp resource/Levels/*.xml "$seeds/"
KELVANE_FUZZ_WRITE_SEED="$seeds/EveryType.xml" "$fuzzer" >/dev/null 2>&1 || {
  echo "fuzz.sh: the fuzzer could not write its seed of every object type" >&2
  exit 1
}

level() { printf '<LevelObject Type="LevelObject" Name="Level1">%s</LevelObject>\n' "$1"; }
transform() { # position x, position y, scale
  printf '<ObjectComponent Name="TransformComponent"><Position mPosition.X="%s" mPosition.Y="%s" />' "$1" "$2"
  printf '<XScaleFactor mXScaleFactor="%s" /><YScaleFactor mYScaleFactor="%s" /></ObjectComponent>' "$3" "$3"
}
machine() { # mAI, mState, mInnerState
  printf '<ObjectComponent Name="StateMachineComponent"><mAI mAI="%s" /><mState mState="%s" />' "$1" "$2"
  printf '<mInnerState mInnerState="%s" /></ObjectComponent>' "$3"
}
level '<Object Type="LevelObject" ObjectName="Inner" /><Object Type="Wall" ObjectName="Wall1" />' >"$seeds/LevelInLevel.xml"
level "<Object Type=\"Wall\" ObjectName=\"Wall1\">$(transform 1 1 1)</Object><Object Type=\"Mirror\" ObjectName=\"Wall1\">$(transform 2 2 1)</Object><Object Type=\"Player\" ObjectName=\"\" />" >"$seeds/RepeatedNames.xml"
level "<Object Type=\"Wall\" ObjectName=\"$(head -c 50000 /dev/zero | tr '\0' 'W')\" />" >"$seeds/LongName.xml"
level "<Object Type=\"Player\" ObjectName=\"Player1\">$(transform nan inf -inf)</Object><Object Type=\"Wall\" ObjectName=\"Wall1\">$(transform 1e39 -1e39 0)</Object><Object Type=\"InanimateObject\" ObjectName=\"Prism1\">$(transform '' x 1e-45)</Object>" >"$seeds/NonFinite.xml"
level "<Object Type=\"Wall\" ObjectName=\"Wall1\">$(transform 1 1 1)$(transform 2 2 2)<ObjectComponent Name=\"NoSuchComponent\" /><ObjectComponent Name=\"StatsComponent\" /><ObjectComponent /></Object><Object ObjectName=\"NoType\" /><Object Type=\"NoSuchType\" ObjectName=\"Unknown1\" /><Object Type=\"Wall\" />" >"$seeds/Components.xml"
mine() { # mAI, mState
  printf '<ObjectComponent Name="MineComponent"><mAI mAI="%s" /><mState mState="%s" /></ObjectComponent>' "$1" "$2"
}
level "<Object Type=\"PlayerDoodad\" ObjectName=\"Halo1\">$(machine 2 99 2)</Object><Object Type=\"PlayerDoodad\" ObjectName=\"Halo2\">$(machine 4294967295 -1 7)</Object><Object Type=\"Player\" ObjectName=\"Player1\">$(machine 0 13 1)</Object><Object Type=\"InanimateObject\" ObjectName=\"Prism1\">$(mine 24 2147483647)</Object>" >"$seeds/Machines.xml"
emitter='<ObjectComponent Name="EmitterComponent"><EmitSpawnRate mEmitSpawnRate="-1e30" /><EmitLifeTime mEmitLifeTime="1e38" /><MinLifeTime mMinLifeTime="-5" /><MaxLifeTime mMaxLifeTime="inf" /><ScaleStart mScaleStart.X="1e30" mScaleStart.Y="-1" /><SpawnDistance mSpawnDistance.X="nan" mSpawnDistance.Y="-1e9" /><UpdateBehavior mUpdateBehavior="99" /><DrawBehavior mDrawBehavior="4294967295" /><TextureName mTextureName="resource/no such picture.png" /></ObjectComponent>'
mesh='<ObjectComponent Name="MeshComponent"><DrawOrder DrawOrder="-2147483648" /><mTextureName TextureLocation="resource/missing.png" /></ObjectComponent>'
level "<Object Type=\"Channel\" ObjectName=\"Channel1\">$mesh$emitter</Object><Object Type=\"Beam\" ObjectName=\"EnergyBeam1\">$emitter</Object>" >"$seeds/Emitters.xml"
gate='<ObjectComponent Name="GateComponent"><Content mContent="2147483647" /><Skip mSkip="2147483647" /><TargetList mTargetList.0="6" mTargetList.1="6" mTargetList.2="6" mTargetList.3="6" mTargetList.4="6" /></ObjectComponent>'
level "<Object Type=\"EnemyGate\" ObjectName=\"EGate1\">$gate</Object><Object Type=\"Gate\" ObjectName=\"Gate\">$gate</Object><Object Type=\"Switch\" ObjectName=\"Switch1\"><ObjectComponent Name=\"SwitchComponent\"><SwitchColour mSwitchColour=\"-7\" /></ObjectComponent></Object>" >"$seeds/Puzzle.xml"
head -c "$(($(wc -c <resource/Levels/Level1.xml) / 2))" resource/Levels/Level1.xml >"$seeds/Truncated.xml"
printf '\xef\xbb\xbf<LevelObject Type="LevelObject" Name="Level1"><Object Type="Wall" ObjectName="W\x00all"/>\xff\xfe' >"$seeds/Corrupt.xml"

# ---- a dictionary of the names the level files use: types, elements, attributes.
dict="$build/level.dict"
{
  "$build/kelvane" --list-types | awk '$1 == "object" || $1 == "component" { print $2 }'
  grep -ohaE '<[A-Za-z_][A-Za-z0-9_]*|[A-Za-z_][A-Za-z0-9_.]*=' "$seeds"/*.xml | tr -d '<='
  # The names that routines and beams look objects up by.
  grep -ohaE 'ObjectName="[A-Za-z0-9_]{1,40}"' "$seeds"/*.xml | sed 's/^ObjectName="//; s/"$//'
  printf '%s\n' Player1 Camera1 WASD BeamClick EnergyBeam2 Mirror1 Channel1 BeamEffect2 Gate Barrier Guard1
  printf '%s\n' nan inf -inf 1e39 -1 4294967295 2147483648 true false '<Object' '</Object>' '<ObjectComponent' '/>'
} | sort -u | sed 's/\\/\\\\/g; s/"/\\"/g; s/.*/"&"/' >"$dict"

echo "== fuzzing the level reader for $seconds s ($(ls "$seeds" | wc -l) seeds, $(ls "$corpus" | wc -l) in the corpus)"
# -timeout: an input that takes this long is a hang; the whole level of a game loads
# in a few milliseconds. -close_fd_mask=1: the sound library's codes on stdout.
exec "$fuzzer" "$corpus" "$seeds" -dict="$dict" -max_total_time="$seconds" -timeout=20 \
  -rss_limit_mb=2048 -close_fd_mask=1 -artifact_prefix="$findings/" -print_final_stats=1 "$@"
