# A PDF printer for the Windows tests: a CUPS daemon of its own, started here
# on a local socket with a CUPS-PDF queue, which Wine offers to Windows
# programs as their default printer. Sourced by windows.sh.

# Demarre_Imprimante DOSSIER: the daemon and its queue; the PDFs printed land
# in DOSSIER/pdf. CUPS_SERVER then points Wine at it.
Demarre_Imprimante() {
  local dossier="$1" sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  # The daemon, run as root, leaves files of its own there.
  "${sudo[@]}" rm -rf "$dossier"
  mkdir -p "$dossier"/{spool,cache,etat,tmp,pdf,ppd}
  chmod 0755 "$dossier"
  chmod 1777 "$dossier/pdf" "$dossier/tmp"
  cat >"$dossier/cupsd.conf" <<EOF
Listen $dossier/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$dossier/cups-files.conf" <<EOF
ServerRoot $dossier
RequestRoot $dossier/spool
CacheDir $dossier/cache
StateDir $dossier/etat
TempDir $dossier/tmp
ErrorLog $dossier/error_log
AccessLog $dossier/access_log
PageLog $dossier/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
EOF
  # CUPS-PDF reads the settings named after its queue's address.
  printf 'Out %s\nAnonDirName %s\nLabel 0\nTitlePref 1\n' "$dossier/pdf" "$dossier/pdf" \
    | "${sudo[@]}" tee /etc/cups/cups-pdf-KOB.conf >/dev/null
  "${sudo[@]}" /usr/sbin/cupsd -f -c "$dossier/cupsd.conf" -s "$dossier/cups-files.conf" &
  CUPSD_PID=$!
  export CUPS_SERVER="$dossier/cups.sock"
  local essais=0
  until [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1; do
    essais=$((essais + 1))
    if [ $essais -gt 50 ]; then
      echo "ATTENTION : le démon d'impression ne démarre pas ($dossier/error_log)." >&2
      return 1
    fi
    sleep 0.2
  done
  # The queue's description without the printer's own fonts: Wine would
  # print with them from files its PostScript driver cannot embed.
  sed '/^\*Font /d' /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$dossier/ppd/KOB_PDF.ppd"
  "${sudo[@]}" lpadmin -h "$CUPS_SERVER" -p KOB_PDF -E -v cups-pdf:/KOB -P "$dossier/ppd/KOB_PDF.ppd"
  "${sudo[@]}" lpadmin -h "$CUPS_SERVER" -d KOB_PDF
}

Arrete_Imprimante() {
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  [ -n "${CUPSD_PID:-}" ] && "${sudo[@]}" kill "$CUPSD_PID" 2>/dev/null || true
  "${sudo[@]}" rm -f /etc/cups/cups-pdf-KOB.conf
}

# Attend_Pdf DOSSIER NOMBRE: true once DOSSIER holds NOMBRE PDFs written out,
# within a minute (CUPS-PDF converts each job once it is spooled).
Attend_Pdf() {
  local dossier="$1" nombre="$2" fin=$((SECONDS + 60))
  until [ "$(find "$dossier" -name '*.pdf' | wc -l)" -ge "$nombre" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; do
    [ $SECONDS -ge $fin ] && return 1
    sleep 1
  done
}

# Verifie_Impressions DOSSIER NOMBRE MOTS...: NOMBRE documents printed, as
# PDFs in DOSSIER, whose pages hold each of MOTS.
Verifie_Impressions() {
  local dossier="$1" nombre="$2" texte mot
  shift 2
  if ! Attend_Pdf "$dossier" "$nombre"; then
    echo "ÉCHEC impression : rien n'est sorti de l'imprimante PDF ($dossier)." >&2
    return 1
  fi
  texte="$(for f in "$dossier"/*.pdf; do pdftotext -q "$f" - || true; done)"
  for mot in "$@"; do
    if ! grep -qF "$mot" <<<"$texte"; then
      echo "ÉCHEC impression : « $mot » n'est pas sur les pages imprimées ($dossier)." >&2
      return 1
    fi
  done
  echo "Impression vérifiée : $(find "$dossier" -name '*.pdf' | wc -l) document(s) imprimé(s) sur l'imprimante PDF."
}
