#!/bin/sh
# Builds the Debian package of Tagorix the Debian way (debhelper, CMake) into
# build-deb/. The build runs on a copy of the tree in a temporary folder, so
# neither the tree nor the folder above it is written to.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tagorix"
tar --exclude='./build*' --exclude='./obj-*' --exclude='./.git' -cf - . | tar -xf - -C "$work/tagorix"
# The about box names the revision the package was built from.
revision=$(git rev-parse HEAD 2>/dev/null || true)
(cd "$work/tagorix" && TAGORIX_REVISION="$revision" dpkg-buildpackage -us -uc -b >/dev/null)
rm -rf build-deb
mkdir -p build-deb
cp "$work"/tagorix_*.deb build-deb/
ls build-deb/tagorix_*.deb
