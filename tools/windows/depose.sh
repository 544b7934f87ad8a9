# Lays out Windows programs with what they need to start from their own
# folder: the DLLs they import (Qt's and MinGW's, followed from import to
# import), Qt's platform and style plugins, Qt's French translation and a
# qt.conf that points Qt there. Sourced by windows.sh.

# The folders where the DLLs a program imports are found.
Dossiers_DLL() {
  local qt="$1"
  echo "$qt/bin"
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  echo /usr/x86_64-w64-mingw32/lib
}

# Copie_DLL QT DOSSIER FICHIER...: copies into DOSSIER every DLL the files
# import that is not part of Windows itself, and those they import in turn.
Copie_DLL() {
  local qt="$1" dossier="$2"
  shift 2
  local a_voir=("$@") fichier dll source d
  local -a dossiers
  mapfile -t dossiers < <(Dossiers_DLL "$qt")
  while [ ${#a_voir[@]} -gt 0 ]; do
    fichier="${a_voir[0]}"
    a_voir=("${a_voir[@]:1}")
    while read -r dll; do
      [ -e "$dossier/$dll" ] && continue
      source=""
      for d in "${dossiers[@]}"; do
        if [ -f "$d/$dll" ]; then
          source="$d/$dll"
          break
        fi
      done
      [ -n "$source" ] || continue # a DLL of Windows itself
      cp "$source" "$dossier/"
      # MinGW's runtime comes with its debugging symbols: not for operators.
      x86_64-w64-mingw32-strip --strip-unneeded "$dossier/$dll"
      a_voir+=("$dossier/$dll")
    done < <(x86_64-w64-mingw32-objdump -p "$fichier" | sed -n 's/^\s*DLL Name: //p')
  done
}

# Depose QT DOSSIER PLATEFORMES...: the plugins (the platforms named, the
# Windows styles), the translation and qt.conf beside the programs already
# in DOSSIER, and every DLL they all need.
Depose() {
  local qt="$1" dossier="$2"
  shift 2
  mkdir -p "$dossier/platforms" "$dossier/styles" "$dossier/translations"
  local p
  for p in "$@"; do
    cp "$qt/plugins/platforms/$p.dll" "$dossier/platforms/"
  done
  cp "$qt"/plugins/styles/*.dll "$dossier/styles/" 2>/dev/null || true
  cp /usr/share/qt6/translations/qtbase_fr.qm "$dossier/translations/"
  printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$dossier/qt.conf"
  Copie_DLL "$qt" "$dossier" "$dossier"/*.exe "$dossier"/platforms/*.dll "$dossier"/styles/*.dll
}
