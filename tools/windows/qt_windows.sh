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

# Qt_Windows CACHE: prints the folder where Qt for Windows is installed,
# building it the first time.
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
  if [ -f "$prefixe/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefixe"
    return 0
  fi

  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  # The source package needs a deb-src entry for the machine's own suite.
  if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
    local suite
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    echo "Ajout des sources Debian ($suite) pour le code source de Qt" >&2
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" | "${sudo[@]}" tee /etc/apt/sources.list.d/kob-sources.sources >/dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update >&2
  fi
  local sources="$cache/sources"

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
  echo "$prefixe"
}
