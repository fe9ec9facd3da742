#!/usr/bin/env bash
# Usage: check_package.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
scratch=$2
for tool in dpkg-deb lintian cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "package test skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
echo "built $(basename "$deb")"
dpkg-deb --field "$deb" Depends Suggests
# The package plays through the SoundFont it ships: the 145 MB General MIDI set is a suggestion.
if dpkg-deb --field "$deb" Depends | grep -q fluid-soundfont-gm; then
  echo "the package depends on fluid-soundfont-gm although it ships its own SoundFont"
  exit 1
fi
dpkg-deb --field "$deb" Suggests | grep -qw fluid-soundfont-gm

dpkg -x "$deb" "$scratch/root"
root=$scratch/root
"$root/usr/bin/quillon-odds" return

# The installed folders are /usr's, and the tunes are where the desktop entry starts the game.
entry=$(ls "$root"/usr/share/applications/*.desktop)
grep -qx 'Exec=/usr/games/quillon' "$entry"
test -x "$root/usr/games/quillon"
grep -qx 'Path=/usr/share/quillon' "$entry"
test -s "$root/usr/share/quillon/BGM1.mid"
test -s "$root/usr/share/quillon/BGM2.mid"
test -s "$root/usr/share/quillon/quillon-tunes.sf2"
# The manual says where the tunes are looked up.
zcat "$root/usr/share/man/man6/quillon.6.gz" | grep -q 'share/quillon'
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
fi
# Errors fail the test; warnings are shown.
lintian --tag-display-limit 0 "$deb" | tee "$scratch/lintian.log"
if grep -q '^E:' "$scratch/lintian.log"; then
  echo "lintian reports errors"
  exit 1
fi
echo "package ok"
