# Qt base for Windows, built once from Debian's own source package of the
# host's Qt, so that the host's moc, rcc and uic serve the cross build.
# Sourced by windows.sh.

# Source_Debian PAQUET VERSION DOSSIER: unpacks Debian's source package into
# DOSSIER once and prints the folder of its sources.
Source_Debian() {
  local paquet="$1" version="$2" sources="$3"
  local amont="${version%%-*}"
  amont="${amont%%+*}"
  mkdir -p "$sources"
  local dossier
  dossier="$(find "$sources" -maxdepth 1 -type d -name "$paquet-$amont*" | head -n 1)"
  if [ -z "$dossier" ]; then
    (cd "$sources" && apt-get source "$paquet=$version" >&2)
    dossier="$(find "$sources" -maxdepth 1 -type d -name "$paquet-$amont*" | head -n 1)"
  fi
  echo "$dossier"
}

# Qt_Windows CACHE: prints the folder where Qt for Windows is installed (Qt
# base, then Qt Charts into the same folder), building what is not there yet.
Qt_Windows() {
  local cache="$1"
  local version
  version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
  local amont="${version%%-*}"   # 6.4.2+dfsg
  amont="${amont%%+*}"           # 6.4.2
  local prefixe="$cache/qt-windows-$version"
  local chaine
  chaine="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/mingw64.cmake"
  local outils="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
  local base_faite=0 charts_faits=0
  [ -f "$prefixe/lib/cmake/Qt6/Qt6Config.cmake" ] && base_faite=1
  [ -f "$prefixe/lib/cmake/Qt6Charts/Qt6ChartsConfig.cmake" ] && charts_faits=1
  if [ $base_faite -eq 1 ] && [ $charts_faits -eq 1 ]; then
    echo "$prefixe"
    return 0
  fi

  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  # The source packages need a deb-src entry for the machine's own suite.
  if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
    local suite
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    echo "Ajout des sources Debian ($suite) pour le code source de Qt" >&2
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" | "${sudo[@]}" tee /etc/apt/sources.list.d/kob-sources.sources >/dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update >&2
  fi
  local sources="$cache/sources"

  if [ $base_faite -eq 0 ]; then
    local dossier
    dossier="$(Source_Debian qt6-base "$version" "$sources")"
    local construction="$cache/construction-qt-$version"
    echo "Construction de Qt $amont pour Windows (une seule fois, environ 40 minutes sur 2 cœurs)" >&2
    # Only what the program uses; Qt's own copies of zlib, PCRE2, FreeType,
    # HarfBuzz and libpng. This source has no tablet header: no tablet events.
    # Its Windows platform plugin needs OpenGL left at its default (dynamic).
    cmake -G Ninja -S "$dossier" -B "$construction" \
      -DCMAKE_TOOLCHAIN_FILE="$chaine" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefixe" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$outils" \
      -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
      -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
      -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF \
      -DFEATURE_openssl=OFF -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
      -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_jpeg=OFF \
      -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON >&2
    cmake --build "$construction" --parallel "$(nproc)" >&2
    cmake --install "$construction" >&2
  fi

  # Qt Charts, from the source package of the host's own Qt Charts. Without
  # it the package is made without the statistics' charts, and says so.
  if [ $charts_faits -eq 0 ]; then
    local version_charts charts=""
    version_charts="$(dpkg-query -W -f='${Version}' qt6-charts-dev)"
    charts="$(Source_Debian qt6-charts "$version_charts" "$sources" || true)"
    if [ -z "$charts" ]; then
      echo "ATTENTION : le code source Debian de Qt Charts ($version_charts) n'a pas pu être téléchargé ;" \
        "le paquet Windows sera fait sans les graphiques des statistiques." >&2
    else
      local construction_charts="$cache/construction-qt-charts-$version_charts"
      echo "Construction de Qt Charts pour Windows (une seule fois)" >&2
      cmake -G Ninja -S "$charts" -B "$construction_charts" \
        -DCMAKE_TOOLCHAIN_FILE="$chaine" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefixe" -DCMAKE_PREFIX_PATH="$prefixe" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$outils" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >&2
      cmake --build "$construction_charts" --parallel "$(nproc)" >&2
      cmake --install "$construction_charts" >&2
    fi
  fi
  echo "$prefixe"
}
