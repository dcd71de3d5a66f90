#!/usr/bin/env bash
# The Debian package built from a copy of the tree: passed by lintian, its desktop entry and
# AppStream data valid, and its autopkgtest passed by the game it installs.
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r . "$scratch/tarnvik"
(cd "$scratch/tarnvik" && dpkg-buildpackage -us -uc >../build.log 2>&1) || (tail -n 40 "$scratch/build.log" && false)
lintian --fail-on error,warning --display-info "$scratch"/tarnvik_*.changes
dpkg -x "$scratch"/tarnvik_*.deb "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/tarnvik.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/com.quorvel.Tarnvik.metainfo.xml"
TARNVIK="$scratch/root/usr/games/tarnvik" debian/tests/play
