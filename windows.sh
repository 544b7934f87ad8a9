#!/usr/bin/env bash
# Builds the program for 64-bit Windows from this Debian machine: Qt for
# Windows once (kept in a cache folder for later runs), then the program and
# its tests, cross-built with MinGW-w64.
set -euo pipefail
cd "$(dirname "$0")"
. tools/paquets.sh
. tools/windows/qt_windows.sh

KOB_PAQUETS+=("${KOB_PAQUETS_WINDOWS[@]}")
Installe_Paquets

CACHE="${KOB_CACHE_WINDOWS:-$HOME/.cache/kob_dezudidar_eri}"
QT_WINDOWS="$(Qt_Windows "$CACHE")"

# The program's icon is drawn from its SVG by a tool run on this machine.
cmake -G Ninja -S . -B build-outils -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-outils --target icones

cmake -G Ninja -S . -B build-windows \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/tools/windows/mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$QT_WINDOWS" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
  -DKOB_OUTIL_ICONES="$PWD/build-outils/tools/icones"
cmake --build build-windows

. tools/windows/depose.sh
. tools/windows/wine.sh
. tools/windows/installation.sh
. tools/windows/impression.sh

# The tests beside what they need, run under Wine on the Windows platform
# (Qt's offscreen platform finds no fonts under Wine).
Depose "$QT_WINDOWS" build-windows/tests qwindows qoffscreen
# There for the test that checks that no window loads them.
cp -r "$QT_WINDOWS/plugins/imageformats" build-windows/tests/
# The print tests print on a PDF printer that CUPS gives to Wine.
IMPRESSIONS="$PWD/build-windows/impressions"
trap 'Arrete_Imprimante; Arrete_Wine' EXIT
Demarre_Imprimante "$IMPRESSIONS"
Prepare_Wine "$CACHE"
Lance_Tests build-windows/tests
Verifie_Impressions "$IMPRESSIONS/pdf" 1 F5IMP TK5IMP 29015

# The package: unzipped into any writable folder, the program starts there
# and keeps its logs beside it.
PAQUET=build-windows/paquet/KOB_Dezudidar_ERI
rm -rf build-windows/paquet
mkdir -p "$PAQUET"
cp build-windows/programme/KOB_Dezudidar_ERI.exe resources/FXXXX_Dezudidar_ERI.txt resources/KOB_Dezudidar_ERI.hlp resources/Alerte.wav LICENSE "$PAQUET/"
cp resources/carte/LICENSE.md "$PAQUET/LICENCE_CARTE.md"
Depose "$QT_WINDOWS" "$PAQUET" qwindows
rm -f KOB_Dezudidar_ERI-windows-x64.zip
(cd build-windows/paquet && zip -qr ../../KOB_Dezudidar_ERI-windows-x64.zip KOB_Dezudidar_ERI)
echo "Paquet écrit : KOB_Dezudidar_ERI-windows-x64.zip"

# The installer of the same folder, tried under Wine in a fresh prefix.
INSTALLEUR=KOB_Dezudidar_ERI-windows-x64-installation.exe
rm -f "$INSTALLEUR"
Fait_Installeur "$PAQUET" "$PWD/build-windows/src/widgets/icone/KOB_Dezudidar_ERI.ico" "$PWD/$INSTALLEUR"
Verifie_Installeur "$PWD/$INSTALLEUR" "$CACHE" "$PAQUET"
echo "Installeur écrit : $INSTALLEUR"
