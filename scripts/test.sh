#!/bin/sh
# Installs what the build and the tests need, builds the whole suite with
# AddressSanitizer and runs it with CTest. Extra arguments go to ctest.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
compiler=""
if command -v clang++ >/dev/null 2>&1; then
    compiler="-DCMAKE_CXX_COMPILER=clang++"
fi
# The test build has no update feed of its own: no test reaches beyond this machine.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTAGORIX_SANITIZE=ON -DTAGORIX_UPDATE_HOST= $compiler >/dev/null
cmake --build build-test --parallel "$(nproc)"
cd build-test
ctest --output-on-failure "$@"
