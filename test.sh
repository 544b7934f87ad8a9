#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
. tools/paquets.sh
Installe_Paquets

cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
