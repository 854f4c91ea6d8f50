#!/bin/sh
# Installs the game as a package would put it on a host's machine, then runs
# the installed program as an ordinary user with an empty home folder, in a
# folder that user cannot write, and checks what the host would find: the
# default files copied into the user's data folder, the log there, the
# board loaded, no error report. Also validates the menu entry and the
# software-centre metadata as installed.
#
# usage: installed_game.sh --build BUILD_DIR | --deb PACKAGE.deb
set -eu

ROOT=$(mktemp -d "${TMPDIR:-/tmp}/zorbel-installed.XXXXXX")
DATA="$ROOT/home/.local/share/zorbel"
PID=
cleanup() {
    [ -z "$PID" ] || kill "$PID" 2>/dev/null || true
    chmod -R u+w "$ROOT" 2>/dev/null || true
    rm -rf "$ROOT"
}
trap cleanup EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    [ -f "$DATA/LogInfo.txt" ] && { echo "--- log" >&2; cat "$DATA/LogInfo.txt" >&2; }
    [ -f "$ROOT/out" ] && { echo "--- output" >&2; tail -n 30 "$ROOT/out" >&2; }
    exit 1
}

case ${1:-} in
--build) DESTDIR="$ROOT/root" cmake --install "$2" --prefix /usr >"$ROOT/install.log" 2>&1 || fail "cmake --install failed" ;;
--deb) dpkg -x "$2" "$ROOT/root" || fail "dpkg -x failed" ;;
*) echo "usage: $0 --build BUILD_DIR | --deb PACKAGE.deb" >&2; exit 2 ;;
esac

USR="$ROOT/root/usr"
touch "$ROOT/installed.stamp"
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done
desktop-file-validate "$USR/share/applications/org.example.zorbel.Zorbel.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$USR/share/metainfo/org.example.zorbel.Zorbel.metainfo.xml" >"$ROOT/appstream.log" ||
    { cat "$ROOT/appstream.log" >&2; fail "the metainfo is not valid"; }
for file in games/zorbel share/zorbel/ZorbelLines.txt share/zorbel/ZorbelPhrases.txt share/man/man6/zorbel.6.gz \
    share/icons/hicolor/scalable/apps/zorbel.svg share/icons/hicolor/48x48/apps/zorbel.png; do
    [ -f "$USR/$file" ] || fail "$file is not installed"
done

# Root may write anywhere, so the game runs as nobody where the checks run as root.
chmod 755 "$ROOT"
chmod -R a-w "$ROOT/root"
HOME_DIR="$ROOT/home"
mkdir "$HOME_DIR"
chmod 777 "$HOME_DIR"
as_user=""
[ "$(id -u)" -ne 0 ] || as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"

libs=$(find "$USR/lib" -name 'libRavlenLib.so.1' -printf '%h' -quit 2>/dev/null || true)
env HOME="$HOME_DIR" XDG_DATA_HOME= XDG_RUNTIME_DIR= XDG_CONFIG_HOME= QT_QPA_PLATFORM=offscreen \
    LD_LIBRARY_PATH="$libs" $as_user "$USR/games/zorbel" >"$ROOT/out" 2>&1 &
PID=$!

deadline=$(($(date +%s) + 60))
until grep -q "Unloading Form frmSplash" "$DATA/LogInfo.txt" 2>/dev/null; do
    kill -0 "$PID" 2>/dev/null || fail "the installed game ended early"
    [ "$(date +%s)" -lt "$deadline" ] || fail "the installed game did not show its board"
    sleep 0.2
done
kill "$PID"
PID=

grep -q -F "Data folder $DATA: the program's folder takes no files" "$DATA/LogInfo.txt" ||
    fail "the log does not name the data folder"
! grep -q "Current SubRoutine is" "$DATA/LogInfo.txt" || fail "the log holds an error report"
for file in "$USR"/share/zorbel/*; do
    cmp "$file" "$DATA/$(basename "$file")" || fail "$(basename "$file") was not copied into the data folder"
done
[ -z "$(find "$ROOT/root" -newer "$ROOT/installed.stamp" -type f 2>/dev/null | head -n 1)" ] ||
    fail "the game wrote into the installed files"
echo "PASS"
