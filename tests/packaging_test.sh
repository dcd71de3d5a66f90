#!/usr/bin/env bash
# The installed files: cmake --install into a scratch prefix, or the Debian package built from a
# clean copy of the tree, passed by lintian and unpacked.
# Usage: packaging_test.sh install|package SOURCE_DIR BUILD_DIR E2E_TESTS
set -euo pipefail
mode=$1 source=$2 build=$3 e2e=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'echo "FAILED at line $LINENO" >&2' ERR

# The files under PREFIX where a desktop looks for them, each well formed, and the game in BIN
# opening its window.
check_tree() {
    local prefix=$1 bin=$2 manual=$3 size
    for size in 48 64 128 256; do
        file "$prefix/share/icons/hicolor/${size}x$size/apps/tarnvik.png" |
            grep -q "PNG image data, $size x $size"
    done
    desktop-file-validate "$prefix/share/applications/tarnvik.desktop"
    appstreamcli validate --no-net "$prefix/share/metainfo/com.quorvel.Tarnvik.metainfo.xml"
    [ -z "$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/$manual" 2>&1 >/dev/null)" ]
    TARNVIK_EXE="$prefix/$bin/tarnvik" "$e2e" --gtest_filter='EndToEnd.OneFullScreen*'
}

if [ "$mode" = install ]; then
    cmake --install "$build" --prefix "$scratch" >/dev/null
    check_tree "$scratch" bin tarnvik.6
else
    mkdir "$scratch/tarnvik"
    git -C "$source" ls-files -co --exclude-standard | tar -C "$source" -cT - | tar -C "$scratch/tarnvik" -x
    (cd "$scratch/tarnvik" && dpkg-buildpackage -us -uc -b >../build.log 2>&1) || (tail -n 40 "$scratch/build.log" && false)
    lintian --fail-on error,warning --display-info "$scratch"/tarnvik_*.deb
    dpkg -x "$scratch"/tarnvik_*.deb "$scratch/root"
    check_tree "$scratch/root/usr" games tarnvik.6.gz
fi
echo ok
