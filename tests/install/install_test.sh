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

for f in bin/quorendaville bin/quorendaville-cli libexec/quorendaville/quorendaville-cli-draw \
         share/applications/quorendaville.desktop share/man/man1/quorendaville.1.gz \
         share/man/man1/quorendaville-cli.1.gz share/doc/quorendaville/copyright share/doc/quorendaville/changelog.gz \
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
# The drawing commands run in the installed drawing program, which finds
# the template too (a data directory of its own, made by it).
"$prefix/bin/quorendaville-cli" wheel --date 01/01/2000 --time 12:00 --corr -1 --coords 45N28-009E11 \
    --data-dir "$work/draw-data" --out "$work/wheel.svg" >/dev/null
grep -q '<svg' "$work/wheel.svg" || { echo "the installed command line drew no wheel"; exit 1; }

# The desktop entry names the program and files it under Education and Science.
entry="$prefix/share/applications/quorendaville.desktop"
grep -qx 'Name=Quorendaville' "$entry" && grep -qx 'Exec=quorendaville' "$entry" &&
  grep -q '^Categories=Education;Science;' "$entry" || { echo "the desktop entry is not the program's:"; cat "$entry"; exit 1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
zcat "$prefix/share/man/man1/quorendaville-cli.1.gz" | grep -q '^quorendaville-cli \\- ' ||
  { echo "the command line's manual page is not its own"; exit 1; }

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
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libsqlite3-0 qt6-qpa-plugins fonts-liberation; do
  echo "$depends" | grep -q "$d" || { echo "the package does not depend on $d: $depends"; exit 1; }
done
# The description as Debian writes it: a summary, then lines that each begin
# with one blank (no CMake list separators).
description=$(dpkg-deb -f "$deb" Description)
if echo "$description" | grep -q ';'; then echo "the description holds a list separator:"; echo "$description"; exit 1; fi
# Stripped executables, and no more than 40 MB installed.
mkdir "$work/unpacked" && dpkg-deb -x "$deb" "$work/unpacked"
for exe in usr/bin/quorendaville usr/bin/quorendaville-cli usr/libexec/quorendaville/quorendaville-cli-draw; do
  if readelf -S "$work/unpacked/$exe" | grep -q '\.debug_info'; then echo "$exe keeps its debug information"; exit 1; fi
done
size=$(dpkg-deb -f "$deb" Installed-Size)
[ "$size" -le 40960 ] || { echo "the package takes $size KiB installed, more than 40 MB"; exit 1; }
if command -v lintian >/dev/null; then
  errors=$(lintian "$deb" 2>/dev/null | grep '^E:' || true)
  [ -z "$errors" ] || { echo "lintian finds errors in the package:"; echo "$errors"; exit 1; }
fi
echo "installed program and package are complete"
