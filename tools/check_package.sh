#!/usr/bin/env bash
# Builds the Debian package from build/, checks it with lintian (errors fail),
# unpacks it into a scratch root and drives the installed program there, as a
# new user with an empty home, under a virtual X display:
#   start -> the user's ini file and database copy are made
#   type 1017 in the search box, Enter -> its guide page opens and the
#     product is added to the summary in the user's copy
#   restart -> the product is still in the summary, and a second lookup
#     adds to the same summary.
# Usage: tools/check_package.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
pids=()
finish() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap finish EXIT
fail() {
  echo "check_package: $*" >&2
  # What the screen showed, where ImageMagick is there to take it.
  [ -n "${DISPLAY:-}" ] && import -window root "$build/package-check.png" 2>/dev/null || true
  exit 1
}

rm -f "$build"/mardovi-vexo_*.deb
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/mardovi-vexo_*.deb)
echo "package: $deb"
status=0
lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$scratch/lintian.log" || true
[ "$status" = 0 ] || fail "lintian reports errors"

dpkg -x "$deb" "$scratch/root"
program=$scratch/root/usr/bin/vexo
[ -x "$program" ] || fail "no usr/bin/vexo in the package"
documents=("$scratch"/root/usr/share/mardovi-vexo/Content/espanol/*.rtf)
[ "${#documents[@]}" = 19 ] || fail "the package holds ${#documents[@]} documents, not 19"

# A display of our own: Xvfb picks a free number and writes it once it
# accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 300); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
# The program's windows are mapped by the window manager: wait until it runs.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

# A new user: nothing in the home folder, no XDG folders set.
export HOME=$scratch/home
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR QT_QPA_PLATFORM
user_dir="$HOME/.local/share/MARDOVI VEXO/MARDOVI VEXO"
copy="$user_dir/guide2ks.mdb"

summary_count() {
  python3 - "$copy" <<'PY'
import sqlite3, sys
db = sqlite3.connect(f"file:{sys.argv[1]}?mode=ro", uri=True)
print(db.execute("SELECT count(*) FROM Summary WHERE ID = '1017' AND Bold = 1").fetchone()[0])
PY
}

# Starts the installed program and waits for its main window (the frame is
# far bigger than any message box).
start_program() {
  "$program" >"$scratch/vexo.log" 2>&1 &
  vexo_pid=$!
  pids+=("$vexo_pid")
  local id w
  # Generous waits: a busy CI machine may take long over a first start.
  for _ in $(seq 600); do
    for id in $(xdotool search --onlyvisible --name '^MARDOVI VEXO$' 2>/dev/null); do
      # The splash goes away while it is looked at: no width then.
      w=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p') || w=0
      if [ "${w:-0}" -ge 800 ]; then window=$id; return 0; fi
    done
    kill -0 "$vexo_pid" 2>/dev/null || fail "the program ended at start: $(cat "$scratch/vexo.log")"
    sleep 0.2
  done
  fail "no main window within 2 minutes: $(cat "$scratch/vexo.log")"
}

stop_program() {
  kill "$vexo_pid"
  wait "$vexo_pid" 2>/dev/null || true
}

# Types an ID in the search box (it has the keyboard at start) and waits
# until the summary holds `expected` rows of it.
look_up_1017() {
  local expected=$1
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key --window "$window" ctrl+l
  xdotool type --delay 50 1017
  sleep 0.5
  xdotool key Return
  for _ in $(seq 300); do
    [ "$(summary_count)" = "$expected" ] && return 0
    sleep 0.2
  done
  fail "1017 is not in the summary $expected time(s) after the lookup (found $(summary_count))"
}

start_program
[ -f "$user_dir/vexo.ini" ] || fail "no per-user vexo.ini"
grep -q "^GRENA=$copy" "$user_dir/vexo.ini" || fail "vexo.ini does not name the user's copy: $(cat "$user_dir/vexo.ini")"
cmp -s "$copy" "$scratch/root/usr/share/mardovi-vexo/guide2ks.mdb" || fail "the user's copy differs from the installed database"
[ "$(summary_count)" = 0 ] || fail "a new user's summary is not empty"
look_up_1017 1
import -window root "$build/package-check.png" 2>/dev/null || true
stop_program

start_program
[ "$(summary_count)" = 1 ] || fail "the summary lost its product at the restart"
look_up_1017 2
stop_program
echo "package check: installed program starts, makes the user's files and keeps the summary across a restart"
