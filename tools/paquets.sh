# Installs the Debian packages the project needs, only those missing.
# Sourced by run.sh and test.sh.

KOB_PAQUETS=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-translations-l10n libgl-dev
  # for the tool that draws the program's icon from its SVG when it is built
  qt6-svg-dev
  libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils
  # rigctld, whose dummy radio the radio's tests talk to
  libhamlib-utils
  # the MinGW-w64 compilers, which check on every build what only Windows
  # compiles, and build the Windows package
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
)

# What ./windows.sh adds: Qt's host tools and source package tools, Wine
# and a display for the tests, zip and NSIS for the package and its
# installer, xdotool to use the installed program, CUPS with a PDF printer
# and a PDF reader for the print tests.
KOB_PAQUETS_WINDOWS=(
  qt6-base-dev-tools dpkg-dev perl
  wine64 xvfb zip nsis xdotool
  cups printer-driver-cups-pdf poppler-utils
)

Installe_Paquets() {
  local manquants=()
  local p
  for p in "${KOB_PAQUETS[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      manquants+=("$p")
    fi
  done
  [ ${#manquants[@]} -eq 0 ] && return 0

  echo "Installation des paquets manquants : ${manquants[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Il faut être root ou avoir sudo pour installer : ${manquants[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${manquants[@]}"
}
