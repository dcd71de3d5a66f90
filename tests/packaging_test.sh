#!/usr/bin/env bash
# The installed files and the Debian package. Usage: packaging_test.sh install|package BUILD_DIR
set -euo pipefail
mode=$1 build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The files a game installs under PREFIX, each where the desktop expects it and well formed.
check_tree() {
    local prefix=$1 f
    for f in bin/tarnvik share/applications/tarnvik.desktop \
        share/icons/hicolor/256x256/apps/tarnvik.png share/man/man6/tarnvik.6 \
        share/metainfo/com.quorvel.Tarnvik.metainfo.xml; do
        [ -e "$prefix/$f" ] || fail "missing $f"
    done
    [ -x "$prefix/bin/tarnvik" ] || fail "bin/tarnvik is not executable"
    file "$prefix/share/icons/hicolor/256x256/apps/tarnvik.png" | grep -q 'PNG image data, 256 x 256' ||
        fail "the icon is not a 256x256 PNG"
    desktop-file-validate "$prefix/share/applications/tarnvik.desktop" || fail "desktop entry"
    appstreamcli validate --no-net "$prefix/share/metainfo/com.quorvel.Tarnvik.metainfo.xml" ||
        fail "AppStream metadata"
    local warnings
    warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/tarnvik.6" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page warnings: $warnings"
}

# Starts the binary and waits, bounded, for its window to be mapped; then ends it.
check_window() {
    "$1" &
    local game=$! i
    for i in $(seq 600); do
        if xwininfo -name "Quorvel Software" 2>/dev/null | grep -q IsViewable; then
            kill "$game"
            wait "$game" 2>/dev/null || true
            return 0
        fi
        kill -0 "$game" 2>/dev/null || fail "the installed game ended before its window showed"
        sleep 0.1
    done
    kill "$game"
    fail "no window from the installed game"
}

case $mode in
install)
    cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
    check_tree "$scratch/prefix"
    ;;
package)
    (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
    deb=$(ls "$scratch"/out/*.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for lib in libglut libc6; do
        grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
    done
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
    [ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
    dpkg -x "$deb" "$scratch/root"
    check_tree "$scratch/root/usr"
    check_window "$scratch/root/usr/bin/tarnvik"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "ok"
