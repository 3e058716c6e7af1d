#!/usr/bin/env bash
# Configures and builds one flavour of Kelvane: release (default), debug or asan.
#   tools/build.sh [release|debug|asan] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

flavour="${1:-release}"
shift || true
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  debug)   args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  asan)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF) ;;
  *) echo "build.sh: unknown flavour '$flavour' (release, debug or asan)" >&2; exit 2 ;;
esac

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" "$@"
cmake --build "build/$flavour" --parallel "$jobs"
