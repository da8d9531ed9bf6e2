#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 root made with mmdebstrap
# and checks it there: the programs run (scenewright-gen and scenewright-sim
# on an installed sample world, scenewright started under Xvfb), and
# removing the package leaves no file behind. Needs root, mmdebstrap and a
# Debian mirror; takes a few minutes. The root has the desktop's file-type
# and menu databases, whose triggers the package sets off.
#   scripts/check-package.sh [PACKAGE.deb]     (default: builds it first)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if ! command -v mmdebstrap >/dev/null; then
    echo "The check needs mmdebstrap (apt-get install mmdebstrap)." >&2
    exit 1
fi
package=${1:-$("$root/scripts/package.sh" | tail -n 1)}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$package" "$work/scenewright.deb"
cat >"$work/check.sh" <<'INNER'
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
cd /tmp
# Every file of the root but the package manager's own records, caches and
# logs, and the scratch and home folders the checks write to.
snapshot() {
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp -o -path /root \
        -o -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/cache -o -path /var/log \) -prune -o -print | sort
}
# The dependencies first, so that what the package itself adds can be told
# from what they bring.
apt-get satisfy -y -qq "$(dpkg-deb -f scenewright.deb Depends)" >/dev/null
snapshot >before
apt-get install -y -qq ./scenewright.deb >/dev/null
echo "Installed: $(dpkg-query -W -f='${Package} ${Version}, ${Installed-Size} KiB' scenewright)"

scenewright --version
scenewright-gen --version
scenewright-sim --version
scenewright --help | head -n 1
examples=/usr/share/scenewright/examples
scenewright-gen "$examples/door-greeting.scw" | cmp - "$examples/door-greeting.js"
echo "scenewright-gen writes the installed example's script"
scenewright-sim --seconds 1 --click door "$examples/door-greeting.scw"
ls /usr/share/man/man1/scenewright*.1.gz
grep -q ':application/x-scenewright-project:\*\.scw$' /usr/share/mime/globs2
echo "*.scw files are application/x-scenewright-project"
grep -q '^application/x-scenewright-project=org.scenewright.Scenewright.desktop;$' /usr/share/applications/mimeinfo.cache
echo "the desktop opens them with Scenewright"

mkdir -p /tmp/home
cp "$examples/foggy-welcome.scw" /tmp/home/
# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>/tmp/display 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [[ -s /tmp/display ]] && break; sleep 0.1; done
HOME=/tmp/home DISPLAY=":$(cat /tmp/display)" scenewright /tmp/home/foggy-welcome.scw >/tmp/scenewright.log 2>&1 &
program=$!
sleep 8
if kill -0 "$program" 2>/dev/null; then
    echo "scenewright runs under Xvfb"
    sed 's/^/  scenewright: /' /tmp/scenewright.log
    kill "$program" "$xvfb"
    wait || true
else
    echo "scenewright did not stay up under Xvfb:" >&2
    cat /tmp/scenewright.log >&2
    exit 1
fi

apt-get purge -y -qq scenewright >/dev/null
snapshot >after
if ! diff before after; then
    echo "Removing scenewright left the files above behind" >&2
    exit 1
fi
echo "Removing scenewright left nothing behind"
INNER
mmdebstrap --quiet --variant=apt --include=xvfb,shared-mime-info,desktop-file-utils bookworm /dev/null \
    --customize-hook="copy-in $work/scenewright.deb $work/check.sh /tmp" \
    --customize-hook='chroot "$1" bash /tmp/check.sh'
