#!/usr/bin/env bash
# Installs the build into a staging folder with `cmake --install`, as a
# package does, and checks what a user gets there: the programs run from the
# staging folder (their versions, the help without a display, a generation
# and a simulated run of an installed sample world), and the manual pages,
# desktop entry, file type, metainfo, icons and examples are in place.
set -euo pipefail
build=$1
stage=$2
version=$3

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_file() {
    [[ -s "$stage/$1" ]] || fail "$1 is not installed"
}

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null

# No display: the help and the version still answer.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for tool in scenewright scenewright-gen scenewright-sim; do
    shown=$("${headless[@]}" "$stage/bin/$tool" --version) || fail "$tool --version exits with $?"
    [[ "$shown" == "$tool $version" ]] || fail "$tool --version prints '$shown', not '$tool $version'"
    "${headless[@]}" "$stage/bin/$tool" --help | grep -q "^Usage: $tool " || fail "$tool --help shows no usage"
done

examples="$stage/share/scenewright/examples"
for example in door-greeting statue-turning lift-along-anchors foggy-welcome; do
    expect_file "share/scenewright/examples/$example.scw"
    expect_file "share/scenewright/examples/$example.js"
done
generated=$(mktemp)
trap 'rm -f "$generated"' EXIT
"$stage/bin/scenewright-gen" -o "$generated" "$examples/door-greeting.scw" || fail "scenewright-gen exits with $?"
cmp -s "$generated" "$examples/door-greeting.js" || fail "scenewright-gen does not write the installed example's script"
run=$("$stage/bin/scenewright-sim" --seconds 1 --click door "$examples/door-greeting.scw") ||
    fail "scenewright-sim exits with $?"
grep -q "^t=1.00 chat.print 'Welcome, traveller!" <<<"$run" || fail "scenewright-sim shows no greeting: $run"

for page in scenewright scenewright-gen scenewright-sim; do
    expect_file "share/man/man1/$page.1.gz"
    gzip -t "$stage/share/man/man1/$page.1.gz" || fail "$page.1.gz is not a whole gzip file"
done
id=org.scenewright.Scenewright
expect_file "share/applications/$id.desktop"
expect_file "share/metainfo/$id.metainfo.xml"
expect_file "share/mime/packages/$id.xml"
expect_file "share/icons/hicolor/scalable/apps/$id.svg"
for size in 48 128 256; do
    icon="$stage/share/icons/hicolor/${size}x${size}/apps/$id.png"
    expect_file "share/icons/hicolor/${size}x${size}/apps/$id.png"
    # A PNG's width and height are the two numbers after its signature and
    # the IHDR chunk's header.
    read -r width height < <(od -An -j16 -N8 -tu1 "$icon" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [[ "$width x $height" == "$size x $size" ]] || fail "$id.png in ${size}x${size} is $width x $height px"
done
expect_file "share/doc/scenewright/copyright"
# The simulated world the window's test runs open, in the program's library
# folder (lib or lib/ARCH, as the build was configured).
module=$(cd "$stage" && ls lib/scenewright/scenewright-simulation.so lib/*/scenewright/scenewright-simulation.so 2>/dev/null || true)
[[ -n "$module" ]] || fail "the simulated world's module is not installed"

((failures == 0))
