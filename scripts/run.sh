#!/bin/sh
# Installs what the program needs, builds it and starts it with the given arguments.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAGORIX_BUILD_TESTS=OFF >/dev/null
cmake --build build --parallel "$(nproc)" --target tagorix
cd build/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    case "${1:-}" in
    --print|--export-pdf|--help|-h|--version|-v) exec ./tagorix "$@" ;;
    esac
    echo "Built $(pwd)/tagorix, but there is no display to show its window."
    echo "Start it from a desktop session:  $(pwd)/tagorix"
    echo "or under a virtual X server:      xvfb-run $(pwd)/tagorix   (package xvfb)"
    exit 0
fi
exec ./tagorix "$@"
