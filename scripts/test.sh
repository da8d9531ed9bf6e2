#!/usr/bin/env bash
# Builds Scenewright and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
