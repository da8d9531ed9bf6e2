#!/usr/bin/env bash
# Builds a Release tree in build-release/ and the Debian package
# scenewright_<version>_<arch>.deb from it, and prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-release"
cd "$root"
"$root/scripts/setup.sh"
# dpkg-shlibdeps works out the libraries the package depends on.
if ! command -v dpkg-shlibdeps >/dev/null; then
    echo "Building the package needs dpkg-dev (apt-get install dpkg-dev)." >&2
    exit 1
fi
if [[ ! -f "$build/build.ninja" ]]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Debian's hardening flags (stack protector, fortified functions, read-only
    # relocations bound at start), as Debian's own packages are built with.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX=/usr -DSCENEWRIGHT_BUILD_TESTS=OFF -DSCENEWRIGHT_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build"
rm -f "$build"/scenewright_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/scenewright_*.deb
