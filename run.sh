#!/usr/bin/env bash
# Installs what is missing, builds in Release, installs the program in its own
# folder (where its logs are kept) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/paquets.sh
. tools/bureau.sh
Installe_Paquets

DOSSIER="${KOB_DOSSIER:-$HOME/KOB_Dezudidar_ERI}"
cmake -G Ninja -S . -B build-release -DCMAKE_BUILD_TYPE=Release
cmake --build build-release --target KOB_Dezudidar_ERI icones
cmake --install build-release --component programme --prefix "$DOSSIER"
# In the desktop's menu, with its icon, for this user.
Installe_Bureau "$DOSSIER/KOB_Dezudidar_ERI" build-release/tools/icones
exec "$DOSSIER/KOB_Dezudidar_ERI" "$@"
