# Runs Windows programs under Wine's 64-bit loader, on an Xvfb display, in a
# Wine prefix made once in the cache. Sourced by windows.sh.

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

# Prepare_Wine CACHE: the prefix, and a display for the windows; Arrete_Wine
# stops both.
Prepare_Wine() {
  export WINEPREFIX="$1/wine"
  export WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1
  fi
  local ecran=97
  while [ -e "/tmp/.X$ecran-lock" ]; do
    ecran=$((ecran + 1))
  done
  Xvfb ":$ecran" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$ecran"
  sleep 1
}

Arrete_Wine() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null || true
}

# Lance_Tests DOSSIER: every test program of DOSSIER under Wine, each
# writing its results to a file (Wine's console drops them); false when one
# fails.
Lance_Tests() {
  local dossier="$1" echecs=0 total=0 t nom
  for t in "$dossier"/tst_*.exe; do
    nom="$(basename "$t" .exe)"
    total=$((total + 1))
    rm -f "$dossier/$nom.txt"
    # A test left waiting on a window fails instead of holding the script.
    if (cd "$dossier" && timeout 600 "$WINE" "$nom.exe" -o "$nom.txt,txt" >/dev/null 2>&1); then
      echo "réussi  $nom : $(grep '^Totals' "$dossier/$nom.txt" 2>/dev/null)"
    else
      echecs=$((echecs + 1))
      echo "ÉCHEC   $nom"
      grep -E '^(FAIL|   )' "$dossier/$nom.txt" 2>/dev/null | head -20 || true
    fi
  done
  echo "$((total - echecs)) passed, $echecs failed"
  [ "$echecs" -eq 0 ]
}
