#!/bin/sh
# Installs every Debian package the build, the program and the test suite need.
# Safe to run again: apt-get skips what is already installed.
set -eu

PACKAGES="
build-essential cmake pkg-config
qtbase5-dev qttools5-dev-tools libqt5svg5 qttranslations5-l10n
libboost-log-dev
libzint-dev libzxing-dev libsodium-dev
libkf5archive-dev
libmicrohttpd-dev libsqlite3-dev libpq-dev postgresql-15
libcups2-dev
oxygen-icon-theme
fonts-liberation2
cups cups-client cups-bsd printer-driver-cups-pdf
poppler-utils zbar-tools zxing-cpp-tools dmtx-utils python3 python3-openpyxl
clang libclang-rt-14-dev
debhelper dpkg-dev lintian desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info git curl
"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update
    # shellcheck disable=SC2086
    $SUDO apt-get install -y --no-install-recommends $missing
fi
