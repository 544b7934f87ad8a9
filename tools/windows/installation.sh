# The installer: made with NSIS from the package's folder, then tried under
# Wine in a prefix of its own, as an operator would use it. Sourced by
# windows.sh, after wine.sh.

# Listes_Installation PAQUET FICHIERS DESINSTALLE: the NSIS lines that copy
# each file of the package, and those that remove them and nothing else.
Listes_Installation() {
  local paquet="$1" fichiers="$2" desinstalle="$3" d f relatif
  : >"$fichiers"
  : >"$desinstalle"
  while read -r d; do
    relatif="${d#"$paquet"}"
    relatif="${relatif//\//\\}"
    echo "SetOutPath \"\$INSTDIR$relatif\"" >>"$fichiers"
    while read -r f; do
      echo "File \"$f\"" >>"$fichiers"
      echo "Delete \"\$INSTDIR$relatif\\$(basename "$f")\"" >>"$desinstalle"
    done < <(find "$d" -maxdepth 1 -type f | sort)
  done < <(find "$paquet" -type d | sort)
  # The deepest folders first; each only when nothing else is left in it.
  while read -r d; do
    relatif="${d#"$paquet"}"
    echo "RMDir \"\$INSTDIR${relatif//\//\\}\"" >>"$desinstalle"
  done < <(find "$paquet" -mindepth 1 -type d | sort -r)
}

# Fait_Installeur PAQUET ICONE SORTIE: the installer of the package's folder.
Fait_Installeur() {
  local paquet icone="$2" sortie="$3" version taille travail
  # makensis finds what a script names from the script's own folder.
  paquet="$(cd "$1" && pwd)"
  travail="$(dirname "$paquet")/nsis"
  mkdir -p "$travail"
  Listes_Installation "$paquet" "$travail/fichiers.nsh" "$travail/desinstalle.nsh"
  version="$(sed -n 's/.*Revision_Programme = " *\([0-9.]*\)".*/\1/p' src/log/Reglages.h)"
  taille="$(du -sk "$paquet" | cut -f1)"
  makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" "-DICONE=$icone" "-DFICHIERS=$travail/fichiers.nsh" \
    "-DDESINSTALLE=$travail/desinstalle.nsh" "-DTAILLE_KO=$taille" "-DSORTIE=$sortie" \
    tools/windows/installation.nsi
}

# Attend DURÉE COMMANDE...: true once the command succeeds, within DURÉE
# seconds.
Attend() {
  local fin=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $fin ] && return 1
    sleep 0.5
  done
}

Echec_Installeur() {
  echo "ÉCHEC installeur : $*" >&2
  return 1
}

# Enregistre_QSO DOSSIER: starts the installed program on a station set up
# as the station window leaves it, and records a QSO from the keyboard.
Enregistre_QSO() {
  local dossier="$1" annee log fenetre
  annee="$(date -u +%Y)"
  log="$dossier/F4TST_Dezudidar_ERI_$annee.txt"
  "$WINE" reg add 'HKCU\Software\Dezudidar_ERI\Dezudidar_ERI\Setup ' /v 'Indicatif Station' /d F4TST /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Dezudidar_ERI\Dezudidar_ERI\Setup F4TST' /v 'Annee Radovered' /d "$annee" /f >/dev/null 2>&1
  cp "$dossier/FXXXX_Dezudidar_ERI.txt" "$log"
  ("$WINE" "$dossier/KOB_Dezudidar_ERI.exe" >/dev/null 2>&1 &)
  Attend 60 xdotool search --onlyvisible --name 'KOB_Dezudidar_ERI +Revision' \
    || Echec_Installeur "la fenêtre du programme installé ne s'ouvre pas" || return 1
  fenetre="$(xdotool search --onlyvisible --name 'KOB_Dezudidar_ERI +Revision' | head -1)"
  xdotool windowfocus --sync "$fenetre"
  sleep 1
  # Callsign, activity, number, pending box, then the record button and Yes.
  xdotool type --delay 60 F6ABC
  xdotool key --delay 200 Return Return
  xdotool type --delay 60 21001
  xdotool key --delay 300 Return Return Return
  sleep 1
  xdotool key Return
  Attend 20 grep -q '21001.*F6ABC' "$log" || Echec_Installeur "aucun QSO enregistré dans $log" || return 1
  "$WINESERVER" -k
  "$WINESERVER" -w
}

# Verifie_Installeur INSTALLEUR CACHE PAQUET: in a fresh prefix, a folder that
# cannot be written is refused, a silent install for the current user puts
# the program and its shortcut in place, the installed program records a QSO,
# a second install keeps that log byte for byte, and uninstalling removes the
# program's files and shortcut and leaves the log.
Verifie_Installeur() {
  local installeur="$1" cache="$2" paquet="$3"
  local prefixe_tests="$WINEPREFIX" utilisateur maison dossier raccourci log copie cle sauvegardes
  "$WINESERVER" -k 2>/dev/null || true
  export WINEPREFIX="$cache/wine-installation"
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
  utilisateur="$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)"
  maison="$WINEPREFIX/drive_c/users/$utilisateur"
  dossier="$maison/AppData/Local/Programs/KOB_Dezudidar_ERI"
  raccourci="$maison/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KOB Dezudidar ERI.lnk"
  cle='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KOB_Dezudidar_ERI'

  # A Windows older than the shipped Qt's: refused, nothing copied.
  "$WINE" winecfg -v win7 >/dev/null 2>&1
  "$WINESERVER" -w
  if "$WINE" "$installeur" /S >/dev/null 2>&1; then
    Echec_Installeur "Windows 7 est accepté"
    return 1
  fi
  [ ! -e "$dossier" ] && [ ! -e "$raccourci" ] || { Echec_Installeur "le refus de Windows 7 a laissé des fichiers"; return 1; }
  "$WINE" winecfg -v win10 >/dev/null 2>&1
  "$WINESERVER" -w

  # A drive where nothing can be written, even by root: Linux's /proc.
  ln -sfn /proc "$WINEPREFIX/dosdevices/r:"
  if "$WINE" "$installeur" /S '/D=R:\KOB_Dezudidar_ERI' >/dev/null 2>&1; then
    Echec_Installeur "un dossier impossible à écrire est accepté"
    return 1
  fi
  [ ! -e "$dossier" ] && [ ! -e "$raccourci" ] || { Echec_Installeur "un refus a laissé des fichiers"; return 1; }
  rm -f "$WINEPREFIX/dosdevices/r:"

  "$WINE" "$installeur" /S >/dev/null 2>&1 || { Echec_Installeur "l'installation silencieuse a échoué"; return 1; }
  "$WINESERVER" -w
  cmp -s "$paquet/KOB_Dezudidar_ERI.exe" "$dossier/KOB_Dezudidar_ERI.exe" \
    || { Echec_Installeur "le programme n'est pas dans $dossier"; return 1; }
  [ -f "$raccourci" ] || { Echec_Installeur "pas de raccourci dans le menu Démarrer"; return 1; }
  for valeur in DisplayName DisplayVersion DisplayIcon InstallLocation EstimatedSize UninstallString; do
    "$WINE" reg query "$cle" /v "$valeur" >/dev/null 2>&1 \
      || { Echec_Installeur "l'entrée de désinstallation n'a pas de $valeur"; return 1; }
  done

  Enregistre_QSO "$dossier" || return 1
  log="$(ls "$dossier"/F4TST_Dezudidar_ERI_*.txt)"
  copie="$(mktemp)"
  cp "$log" "$copie"

  "$WINE" "$installeur" /S "/D=$("$WINE" winepath -w "$dossier" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1 \
    || { Echec_Installeur "la mise à jour a échoué"; return 1; }
  "$WINESERVER" -w
  cmp -s "$copie" "$log" || { Echec_Installeur "la mise à jour a changé le log"; return 1; }

  sauvegardes="$(cd "$dossier" && find Sauvegardes -type f -exec md5sum {} + | sort)"
  [ -n "$sauvegardes" ] || { Echec_Installeur "le premier changement n'a pas fait de sauvegarde"; return 1; }
  "$WINE" "$dossier/Desinstaller KOB_Dezudidar_ERI.exe" /S >/dev/null 2>&1 \
    || { Echec_Installeur "la désinstallation a échoué"; return 1; }
  "$WINESERVER" -w
  [ ! -e "$dossier/KOB_Dezudidar_ERI.exe" ] && [ -z "$(find "$dossier" -name '*.dll')" ] \
    && [ ! -e "$dossier/platforms" ] && [ ! -e "$dossier/Desinstaller KOB_Dezudidar_ERI.exe" ] \
    || { Echec_Installeur "des fichiers du programme restent après la désinstallation"; return 1; }
  [ ! -e "$raccourci" ] || { Echec_Installeur "le raccourci reste après la désinstallation"; return 1; }
  ! "$WINE" reg query "$cle" >/dev/null 2>&1 || { Echec_Installeur "l'entrée de désinstallation reste"; return 1; }
  cmp -s "$copie" "$log" || { Echec_Installeur "la désinstallation a touché le log"; return 1; }
  [ "$(cd "$dossier" && find Sauvegardes -type f -exec md5sum {} + | sort)" = "$sauvegardes" ] \
    || { Echec_Installeur "la désinstallation a touché les sauvegardes"; return 1; }
  rm -f "$copie"
  "$WINESERVER" -k 2>/dev/null || true
  export WINEPREFIX="$prefixe_tests"
  echo "Installeur vérifié sous Wine : installation, QSO enregistré, mise à jour, désinstallation."
}
