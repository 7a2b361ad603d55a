# Sourced by scripts/test: the real program driven by keyboard under Wine,
# as a user would, with the disk looked at afterwards. Each check prints a
# line to standard error and adds to TOTAL_PASSED or TOTAL_FAILED.

QM_KB_DRIVE="$QM_BUILD/keyboard-drive"

kb_stop_wine() {
  if command -v wineserver >/dev/null 2>&1; then
    wineserver -k >/dev/null 2>&1
  elif [ -x /usr/lib/wine/wineserver64 ]; then
    /usr/lib/wine/wineserver64 -k >/dev/null 2>&1
  fi
}

# kb_window_id TITLE_START: the X id of the first window whose title starts so.
kb_window_id() {
  local tries id
  for tries in $(seq 120); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1" | head -1 | awk '{print $1}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
  done
  return 1
}

# kb_start FOLDER: starts the program on FOLDER (a path on drive Q:) and
# waits until its window names the folder, that is, until it is scanned.
kb_start() {
  kb_stop_wine
  ln -sfn "$QM_KB_DRIVE" "$WINEPREFIX/dosdevices/q:"
  "$QM_WINE" "$QM_BUILD/x64/src/Quarrymap.exe" "$1" >/dev/null 2>&1 &
  KB_WINDOW=$(kb_window_id "Quarrymap 2000 - $1\"") || return 1
  sleep 1
}

# kb_key KEY: to the main window. kb_answer KEY: to whatever window is
# active, a dialog or box the last key opened.
kb_key() {
  xdotool windowfocus --sync "$KB_WINDOW" >/dev/null 2>&1
  xdotool key "$1"
  sleep 3
}
kb_answer() {
  xdotool key "$1"
  sleep 3
}

kb_result() {
  local name=$1 ok=$2
  kb_stop_wine
  if [ "$ok" = yes ]; then
    echo "keyboard: $name: passed" >&2
    TOTAL_PASSED=$((TOTAL_PASSED + 1))
  else
    echo "keyboard: $name: FAILED" >&2
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
}

# Archive Folder (Ctrl+R) on a folder whose parent was renamed after the
# scan, then Alt+A, which would press "Archive >>" in the dialog: nothing
# is packed, and the folder of the same name in the folder that used to be
# current (the drive's root) keeps its files.
kb_check_renamed_parent() {
  local d=$QM_KB_DRIVE ok=no
  rm -rf "$d"; mkdir -p "$d/Data/Old/Temp" "$d/Temp"
  echo mine >"$d/Data/Old/Temp/a.txt"; echo other >"$d/Temp/b.txt"
  if kb_start 'Q:\Data\Old\Temp'; then
    mv "$d/Data/Old" "$d/Data/Renamed"
    kb_key ctrl+r
    kb_answer alt+a
    [ "$(cat "$d/Temp/b.txt" 2>/dev/null)" = other ] && [ -f "$d/Data/Renamed/Temp/a.txt" ] &&
      [ ! -e "$d/Archives Bin" ] && ok=yes
  fi
  kb_result "archiving a folder whose parent was renamed" "$ok"
}

# Delete Folder (Ctrl+D) on "Twin." beside "Twin", and Enter, which would
# say Yes to the shell's question: a box refuses, both folders stay.
kb_check_trailing_dot() {
  local d=$QM_KB_DRIVE ok=no
  rm -rf "$d"; mkdir -p "$d/Data/Twin." "$d/Data/Twin"
  echo dotted >"$d/Data/Twin./a.txt"; echo plain >"$d/Data/Twin/b.txt"
  if kb_start 'Q:\Data\Twin.'; then
    kb_key ctrl+d
    local refused=no
    kb_window_id 'Quarrymap 2000"' >/dev/null && refused=yes
    kb_answer Return
    [ "$refused" = yes ] && [ "$(cat "$d/Data/Twin/b.txt" 2>/dev/null)" = plain ] && [ -f "$d/Data/Twin./a.txt" ] &&
      ok=yes
  fi
  kb_result "deleting a folder whose name ends in a dot" "$ok"
}

check_keyboard() {
  # Not a first start: no introductory letter over the window.
  "$QM_WINE" reg add 'HKCU\Software\Tollvane\Quarrymap\Version' /v ShowIntroLetter /t REG_SZ /d 0 /f \
    >/dev/null 2>&1
  kb_check_renamed_parent
  kb_check_trailing_dot
  rm -rf "$QM_KB_DRIVE"
  rm -f "$WINEPREFIX/dosdevices/q:"
}
