#!/bin/sh
# Builds the Debian packages as `make package` does, into a folder of its
# own, and checks them: the file lists, lintian's errors, and the game
# unpacked with dpkg -x running as an installed copy does.
#
# usage: package.sh BUILD_DIR VERSION
set -eu

BUILD=$1
VERSION=$2
HERE=$(cd "$(dirname "$0")" && pwd)
OUT=$(mktemp -d "${TMPDIR:-/tmp}/zorbel-package.XXXXXX")
trap 'rm -rf "$OUT"' EXIT INT TERM
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in cpack dpkg-deb dpkg-architecture lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done
(cd "$BUILD" && cpack -B "$OUT" >"$OUT/cpack.log" 2>&1) || { cat "$OUT/cpack.log" >&2; fail "cpack failed"; }

arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for package in zorbel libravlen-dev; do
    deb="$OUT/${package}_${VERSION}_${arch}.deb"
    [ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$OUT")"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$OUT/$package.listed"
    sed "s/@MULTIARCH@/$multiarch/" "$HERE/$package.files" | diff -u - "$OUT/$package.listed" >&2 ||
        fail "$package holds other files than $HERE/$package.files lists"
done

# lintian refuses to run as root only in its warnings; its errors count.
lintian --tag-display-limit 0 "$OUT"/*.deb >"$OUT/lintian.log" 2>&1 || true
if grep -q '^E: ' "$OUT/lintian.log"; then
    cat "$OUT/lintian.log" >&2
    fail "lintian reports errors"
fi

sh "$HERE/installed_game.sh" --deb "$OUT/zorbel_${VERSION}_${arch}.deb"
