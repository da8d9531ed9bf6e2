#!/usr/bin/env bash
# Builds Scenewright and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
exec "$root/build/src/scenewright" "$@"
