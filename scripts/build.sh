#!/usr/bin/env bash
# Configures (once) and builds everything into build/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
if [[ ! -f "$root/build/build.ninja" ]]; then
    cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
fi
cmake --build "$root/build"
