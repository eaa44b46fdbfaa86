#!/bin/sh
# Builds the Debian package, installs it as a user would, uses the installed
# program from another folder, checks its desktop files and removes it again.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
deb=$(./scripts/build-deb.sh | tail -n 1)
deb="$root/$deb"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
failed=0
check() {
    if "$@"; then echo "ok: $*"; else echo "FAILED: $*"; failed=$((failed + 1)); fi
}
lintian --fail-on error "$deb"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >/dev/null
work=$(mktemp -d)
cd "$work"
check sh -c 'tagorix --version | grep -q "v4"'
check tagorix --export-pdf "$work/example.pdf" "$root/examples/product-labels.tx4l"
check test -s "$work/example.pdf"
cp "$root/examples/product-labels.tx4l" "$work/label.tx4l"
cp "$root/examples/product-labels.tx4l" "$work/renamed.bin"
check sh -c "xdg-mime query filetype '$work/label.tx4l' | grep -q application/x-tagorix-label"
check sh -c "xdg-mime query filetype '$work/renamed.bin' | grep -q application/x-tagorix-label"
check desktop-file-validate /usr/share/applications/org.norvane.Tagorix.desktop
check appstreamcli validate --no-net /usr/share/metainfo/org.norvane.Tagorix.metainfo.xml
check test -f /usr/share/man/man1/tagorix.1.gz
check test -f /usr/share/icons/hicolor/48x48/apps/tagorix.png
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y tagorix >/dev/null
check sh -c '! command -v tagorix'
rm -rf "$work"
echo "$((11 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
