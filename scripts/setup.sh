#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any are
# missing. Quiet when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++
    libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
    nlohmann-json3-dev
    nodejs node-acorn
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev libgl-dev libglx-dev fonts-dejavu-core
    desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: run this command as root (or install them with apt-get)." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
