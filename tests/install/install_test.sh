#!/usr/bin/env bash
# Installs the program into a temporary prefix, takes the build and source
# trees out of its reach, and runs the command line and the desktop program
# (offscreen) from there: both must find their template beside themselves.
# Then the Debian package's file list must hold the executables, the
# template, the desktop entry and the icon.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# A copy of the installed tree elsewhere: nothing may lead back to the build.
mv "$work/prefix" "$work/moved"
prefix="$work/moved"

for f in bin/quorendaville bin/quorendaville-cli share/applications/quorendaville.desktop \
         share/icons/hicolor/scalable/apps/quorendaville.svg share/icons/hicolor/48x48/apps/quorendaville.png \
         share/quorendaville/data/FilePosi/DPR1.rnd; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done

cd "$work"
"$prefix/bin/quorendaville-cli" --version | grep -q '^quorendaville-cli [0-9]'
"$prefix/bin/quorendaville" --version | grep -q '^quorendaville [0-9]'
"$prefix/bin/quorendaville" --help | grep -q 'Uso: quorendaville'

out=$("$prefix/bin/quorendaville-cli" chart --date 01/01/2000 --time 12:00 --corr -1 --coords 45N28-009E11 \
      --data-dir "$work/cli-data")
echo "$out" | grep -q 'Sole' || { echo "chart from the installed command line failed:"; echo "$out"; exit 1; }
[ -s "$work/cli-data/FilePosi/DPR1.rnd" ] || { echo "the installed template was not copied"; exit 1; }

# The desktop program runs until it is closed: it must still be running
# after a few seconds, and have prepared its data directory.
set +e
QT_QPA_PLATFORM=offscreen timeout 8 "$prefix/bin/quorendaville" --data-dir "$work/gui-data" >"$work/gui.log" 2>&1
status=$?
set -e
if [ "$status" -ne 124 ]; then
  echo "the installed desktop program ended with status $status:"; cat "$work/gui.log"; exit 1
fi
[ -s "$work/gui-data/BASE.ST1" ] || { echo "the desktop program did not create the personal archive"; exit 1; }

# The Debian package.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work/package"/quorendaville_*.deb)
files=$(dpkg-deb -c "$deb")
for f in ./usr/bin/quorendaville ./usr/bin/quorendaville-cli ./usr/share/applications/quorendaville.desktop \
         ./usr/share/icons/hicolor/scalable/apps/quorendaville.svg ./usr/share/quorendaville/data/FilePosi/DPR1.rnd; do
  echo "$files" | grep -q " $f\$" || { echo "the package lacks $f"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "the package does not depend on Qt"; exit 1; }
echo "installed program and package are complete"
