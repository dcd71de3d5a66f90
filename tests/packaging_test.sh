#!/usr/bin/env bash
# The installed files: cmake --install into a scratch prefix, or the Debian package built from a
# clean copy of the tree, passed by lintian and unpacked.
# Usage: packaging_test.sh install|package SOURCE_DIR BUILD_DIR E2E_TESTS
set -euo pipefail
mode=$1 source=$2 build=$3 e2e=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The files under PREFIX where a desktop looks for them, each well formed, and the game in BIN
# opening its window.
check_tree() {
    for s in 48 64 128 256; do file "$1/share/icons/hicolor/${s}x$s/apps/tarnvik.png" | grep -q "PNG image data, $s x $s"; done
    desktop-file-validate "$1/share/applications/tarnvik.desktop"
    appstreamcli validate --no-net "$1/share/metainfo/com.quorvel.Tarnvik.metainfo.xml"
    [ -z "$(MANWIDTH=80 man --warnings -l "$1/share/man/man6/$3" 2>&1 >/dev/null)" ]
    TARNVIK_EXE="$1/$2/tarnvik" "$e2e"
}

if [ "$mode" = install ]; then
    cmake --install "$build" --prefix "$scratch" >/dev/null
    check_tree "$scratch" bin tarnvik.6
    exit
fi
# The tree as a checkout holds it, with or without git: .gitignore's top-level patterns as tar's
mkdir "$scratch/tarnvik"
tar -C "$source" --exclude-vcs -X <(sed 's|^/|./|; s|/$||' "$source/.gitignore") -c . | tar -C "$scratch/tarnvik" -x
(cd "$scratch/tarnvik" && dpkg-buildpackage -us -uc >../build.log 2>&1) || (tail -n 40 "$scratch/build.log" && false)
lintian --fail-on error,warning --display-info "$scratch"/tarnvik_*.changes
dpkg -x "$scratch"/tarnvik_*.deb "$scratch/root"
check_tree "$scratch/root/usr" games tarnvik.6.gz
TARNVIK="$scratch/root/usr/games/tarnvik" "$source/debian/tests/start-and-quit"
