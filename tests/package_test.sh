#!/bin/sh
# Builds the Debian package, installs it as a user would, uses the installed
# program from another folder, checks its desktop files, starts the installed
# print service as its unit would and talks to it, then removes and purges the
# package again.
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
checks=0
check() {
    checks=$((checks + 1))
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

# The print service: its files, the user and folders the postinst makes, and a
# unit that is installed but left for the administrator to enable.
check sh -c 'v=$(tagorix-server --version) && [ -n "$v" ]'
check test -f /usr/share/man/man1/tagorix-server.1.gz
check test -f /etc/tagorix/server.conf
check sh -c 'test -f /lib/systemd/system/tagorix-server.service || test -f /usr/lib/systemd/system/tagorix-server.service'
check sh -c '! ls /etc/systemd/system/*.wants/tagorix-server.service >/dev/null 2>&1'
check sh -c 'getent passwd _tagorix >/dev/null'
# /var/lib/tagorix is closed to other users.
check sh -c 'test "$($1 stat -c "%U:%G" /var/lib/tagorix/designs)" = _tagorix:_tagorix' _ "$SUDO"
check sh -c 'test "$(stat -c "%U:%G %a" /etc/tagorix/tokens)" = "root:_tagorix 640"'

# A token is shown once and only its hash is kept.
token=$(tagorix-server token add ci --scope admin --tokens "$work/tokens" | tail -n 1) || token=""
check sh -c 'printf "%s\n" "$1" | grep -Eq "^[^[:space:]]{16,}$"' _ "$token"
check grep -q '^ci admin ' "$work/tokens"
check sh -c 'test -n "$1" && test -f "$2" && ! grep -qF -- "$1" "$2"' _ "$token" "$work/tokens"
check sh -c 'test "$(stat -c %a "$1")" = 600' _ "$work/tokens"

# The installed server, started as its unit starts it, on a free port.
mkdir "$work/designs"
cp "$root/examples/product-labels.tx4l" "$work/designs/"
QT_QPA_PLATFORM=offscreen tagorix-server --listen 127.0.0.1:0 --tokens "$work/tokens" \
    --designs "$work/designs" --journal "$work/journal.sqlite" \
    >"$work/server.out" 2>"$work/server.err" &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
port=""
tries=0
while [ "$tries" -lt 200 ] && kill -0 "$server" 2>/dev/null; do
    port=$(sed -n 's|^listening on http://127\.0\.0\.1:\([0-9][0-9]*\)$|\1|p' "$work/server.out")
    [ -z "$port" ] || break
    sleep 0.1
    tries=$((tries + 1))
done
check test -n "$port"
url="http://127.0.0.1:${port:-1}"
check sh -c 'curl -sf --max-time 10 "$1/v1/health" | grep -q "\"status\": *\"ok\""' _ "$url"
check sh -c 'test "$(curl -s --max-time 10 -o "$2" -w "%{http_code}" -H "Authorization: Bearer $3" "$1/v1/designs")" = 200 && grep -q product-labels "$2"' \
    _ "$url" "$work/designs.json" "$token"
check sh -c 'test "$(curl -s --max-time 10 -o /dev/null -w "%{http_code}" "$1/v1/designs")" = 401' _ "$url"
# SIGTERM is how systemd stops it: it ends on its own, with status 0.
kill -TERM "$server" 2>/dev/null || true
tries=0
while [ "$tries" -lt 200 ] && kill -0 "$server" 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
done
kill -KILL "$server" 2>/dev/null || true
status=0
wait "$server" || status=$?
trap - EXIT
check test "$status" -eq 0
if [ "$failed" -ne 0 ]; then
    echo "server output:"
    cat "$work/server.out" "$work/server.err"
fi

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y tagorix >/dev/null
check sh -c '! command -v tagorix'
# Purging takes the service's state and token file with it.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y tagorix >/dev/null
check test ! -e /var/lib/tagorix
check test ! -e /etc/tagorix
rm -rf "$work"
echo "$((checks - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
