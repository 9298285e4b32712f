#!/usr/bin/env bash
# Builds the .deb from the release build, installs it with dpkg, starts the
# game the way the desktop menu does (the menu entry's command) under a
# virtual display, checks its window and loading log, then removes the
# package and checks that nothing of it is left. Needs root (dpkg); not run
# by the test suite, since it changes the system.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "try-deb: run this as root: it installs and removes a package" >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' tarvok 2>/dev/null | grep -q "install ok installed"; then
  echo "try-deb: the tarvok package is already installed; remove it first (dpkg -r tarvok)" >&2
  exit 1
fi

"$here/scripts/setup.sh" release deb
out=$(mktemp -d /tmp/tarvok-deb-XXXXXX)
trap 'rm -rf "$out"' EXIT
cpack --config "$here/build/release/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/tarvok_*.deb)
echo "== built $(basename "$deb") ($(du -k "$deb" | cut -f1) KB)"
dpkg-deb -f "$deb" Depends | sed 's/^/   Depends: /'

echo "== dpkg -i"
dpkg -i "$deb"
files=$(dpkg -L tarvok)
entry=/usr/share/applications/tarvok.desktop
desktop-file-validate "$entry"
for size in 16 22 24 32 48 64 128 256; do
  test -f "/usr/share/icons/hicolor/${size}x${size}/apps/tarvok.png"
done
# The menu's command, without the field codes a menu would fill in.
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUdDnNickvm]//g')
echo "   the menu entry runs: $command ($(command -v "${command%% *}"))"

echo "== starting it from the menu's command under Xvfb"
# A home of its own, so the game's folder lands there and goes afterwards.
export HOME="$out/home"
mkdir -p "$HOME"
unset XDG_RUNTIME_DIR XDG_CACHE_HOME DISPLAY
cat > "$out/start.sh" <<EOF
cd /
$command > "$out/log" 2>&1 &
game=\$!
for i in \$(seq 120); do
  xwininfo -root -tree | grep -q '"Tarvok"' && [ "\$(grep -c '^Loading : ' "$out/log")" -ge 235 ] && break
  sleep 0.5
done
xwininfo -root -tree | grep '"Tarvok"' > "$out/window" || true
kill -0 \$game && echo running > "$out/alive"
kill \$game
EOF
xvfb-run -a -s "-screen 0 1024x768x24" sh "$out/start.sh"
if [ ! -s "$out/window" ] || [ ! -f "$out/alive" ]; then
  echo "try-deb: no Tarvok window, or the game did not keep running; its output:" >&2
  cat "$out/log" >&2
  dpkg -r tarvok >/dev/null
  exit 1
fi
echo "   window:$(cut -c1-60 "$out/window")"
echo "   log: $(head -1 "$out/log"), $(grep -c '^Loading : /usr/share/tarvok/' "$out/log") files loaded from /usr/share/tarvok"
echo "   game.ini in $HOME/.cache/tarvok:"
sed 's/^/     /' "$HOME/.cache/tarvok/game.ini"
grep -q '^Loading : /usr/share/tarvok/man.bone$' "$out/log"

echo "== dpkg --purge"
dpkg --purge tarvok
left=0
while read -r f; do
  # Folders the package shares with others (/usr/share/icons/...) stay;
  # its files and its own folders must go.
  case $f in
    /usr/lib/tarvok | /usr/share/tarvok) own=yes ;;
    *) own=no ;;
  esac
  if { [ -e "$f" ] && [ ! -d "$f" ]; } || { [ $own = yes ] && [ -e "$f" ]; }; then
    echo "   left behind: $f" >&2
    left=1
  fi
done <<< "$files"
if dpkg-query -W tarvok >/dev/null 2>&1 || [ $left -ne 0 ]; then
  echo "try-deb: the package did not go cleanly" >&2
  exit 1
fi
echo "== removed cleanly: none of its $(wc -l <<< "$files") paths is left"
