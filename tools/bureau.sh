# The program in the desktop's menu, for the current user: a desktop entry and
# the icon in the user's icon theme. Sourced by run.sh.

# Entree_Bureau PROGRAMME: the desktop entry for the program at that path.
Entree_Bureau() {
  local modele
  modele="$(dirname "${BASH_SOURCE[0]}")/../resources/bureau/kob-dezudidar-eri.desktop.in"
  # Inside the quotes of Exec, \ " ` and $ take a backslash; then, as in
  # every string of the entry, each backslash is doubled.
  PROGRAMME="$1" perl -pe '
    BEGIN {
      ($e = $ENV{PROGRAMME}) =~ s/([\\"`\$])/\\$1/g;
      $e =~ s/\\/\\\\/g;
      ($d = $ENV{PROGRAMME}) =~ s{/[^/]*$}{};
      $d =~ s/\\/\\\\/g;
    }
    s/\@EXEC\@/"$e"/g;
    s/\@DOSSIER\@/$d/g;' "$modele"
}

# Installe_Bureau PROGRAMME OUTIL_ICONES: writes the entry and the icons (the
# SVG, and the tool's drawings of it) under the user's data folder.
Installe_Bureau() {
  local programme="$1" icones="$2"
  local donnees="${XDG_DATA_HOME:-$HOME/.local/share}"
  local source
  source="$(dirname "${BASH_SOURCE[0]}")/../resources/bureau"
  mkdir -p "$donnees/applications" "$donnees/icons/hicolor/scalable/apps"
  "$icones" "$source/kob-dezudidar-eri.svg" "$donnees/icons/hicolor"
  cp "$source/kob-dezudidar-eri.svg" "$donnees/icons/hicolor/scalable/apps/"
  Entree_Bureau "$programme" >"$donnees/applications/kob-dezudidar-eri.desktop"
  # Menus that keep caches see the new entry at once.
  command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database -q "$donnees/applications" || true
  command -v gtk-update-icon-cache >/dev/null 2>&1 && gtk-update-icon-cache -q -t "$donnees/icons/hicolor" || true
}
