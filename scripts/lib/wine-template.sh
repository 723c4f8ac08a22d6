# Builds the template Wine prefix that every run copies: booted once (~10 s), with the settings of
# wine-prefix.reg imported. Rebuilt only when missing, or when the .reg file or Wine changed.
# Source after common.sh.

build_wine_template() {
  local reg="$REPO/scripts/lib/wine-prefix.reg"
  local stamp="$WINE_TEMPLATE.stamp"
  local want
  # This script is part of the stamp: a change in how the template is made makes it anew.
  want="$(cat "$reg" "${BASH_SOURCE[0]}" | sha256sum | cut -d' ' -f1) $(wine --version)"
  mkdir -p "$BUILD"
  (
    # Two builds at once must not both write the template.
    flock 9
    if [[ -d "$WINE_TEMPLATE" && -f "$stamp" && "$(cat "$stamp")" == "$want" ]]; then
      exit 0
    fi
    say "making the template Wine prefix at build/wine-template"
    local fresh="$WINE_TEMPLATE.new"
    local log="$BUILD/wine-template.log"
    rm -rf "$fresh" "$WINE_TEMPLATE" "$stamp"
    # regedit reads UTF-16LE with a byte-order mark; the Chinese font names need it.
    { printf '\xff\xfe' && iconv -f UTF-8 -t UTF-16LE "$reg"; } >"$BUILD/wine-prefix.utf16.reg"
    # No display: nothing may appear on the user's screen while the prefix boots.
    if ! (
      export WINEPREFIX="$fresh"
      unset DISPLAY WAYLAND_DISPLAY
      wineboot -u && wineserver -w &&
        wine regedit /S "$(winepath -w "$BUILD/wine-prefix.utf16.reg")" && wineserver -w
    ) >"$log" 2>&1; then
      cat "$log" >&2
      WINEPREFIX="$fresh" wineserver -k 2>/dev/null || true
      die "could not make the template Wine prefix (log above)"
    fi
    grep -q '"Managed"="N"' "$fresh/user.reg" || die "the template prefix lacks its settings"
    # Wine links the user's Desktop, Documents, Pictures… to $HOME: every copy of the template
    # would write its quick saves and pins into one folder outside it. Each copy gets its own.
    local link
    for link in "$fresh"/drive_c/users/*/*; do
      if [[ -L "$link" ]]; then
        rm "$link" && mkdir "$link"
      fi
    done
    mv "$fresh" "$WINE_TEMPLATE"
    echo "$want" >"$stamp"
  ) 9>"$BUILD/.wine-template.lock"
}
