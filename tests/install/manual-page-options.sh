#!/usr/bin/env bash
# Every option a tool's --help lists is described in its manual page.
set -euo pipefail
programs=$1
pages=$2

failures=0
for tool in scenewright scenewright-gen scenewright-sim; do
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$programs/$tool" --help)
    # The page as text: roff writes a dash as \-.
    page=$(sed 's/\\-/-/g' "$pages/$tool.1")
    # Options are words that start with one or two dashes; "--" alone ends
    # the options.
    options=$(grep -oE '(^|[][ (|])--?[a-z][a-z-]*|(^|[][ ])--( |]|$)' <<<"$help" | tr -d '[]()| ' | sort -u)
    [[ -n "$options" ]] || { echo "FAIL: no options found in $tool --help" >&2; failures=$((failures + 1)); }
    for option in $options; do
        if ! grep -qE -- "(^|[^a-zA-Z0-9-])$option([^a-zA-Z0-9-]|$)" <<<"$page"; then
            echo "FAIL: $tool --help lists $option, its manual page does not" >&2
            failures=$((failures + 1))
        fi
    done
done
((failures == 0))
