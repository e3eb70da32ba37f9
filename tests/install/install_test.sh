#!/usr/bin/env bash
# Installs the program into a temporary prefix, takes the build and source
# trees out of its reach, and runs the command line and the desktop program
# (offscreen) from there: both must find their template beside themselves,
# the installed template must be the one its MANIFEST describes, and the
# programs' message logs must hold no warning that matters.
# Then the Debian package's file list must hold the executables, the
# template, the desktop entry and the icon, and lintian must find no error.
# The checking tools are part of the test: one that is missing or cannot
# run fails it (./setup.sh installs them), never skips a check silently.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "install test: $*" >&2; exit 1; }
for tool in desktop-file-validate:desktop-file-utils lintian:lintian dpkg-deb:dpkg gzip:gzip od:coreutils; do
  command -v "${tool%%:*}" >/dev/null ||
    fail "${tool%%:*} is missing (package ${tool#*:}): run ./setup.sh, the install test needs it"
done

# The CRC-32 (zip's, as the MANIFEST gives it) of a file, from gzip's trailer:
# its last 8 bytes are the CRC-32 and the size modulo 2^32, little-endian.
crc32() { gzip -1 -c -- "$1" | tail -c 8 | od -An -tx4 -N4 --endian=little | tr -d ' \n'; }

# Warnings in a program's message log (MessaggiQt.log: one "kind: text"
# line per Qt message) that say something is wrong with the program or its
# installation. Only messages that come from the offscreen test run itself
# are let through: the offscreen platform's missing window-manager features
# and the runtime folder of a session without a desktop.
harmlessMessage='^(warning|info|debug): (qt\.qpa\.[a-z.]*: )?(This plugin does not support [a-zA-Z]*\(\)'
harmlessMessage+='|QStandardPaths: XDG_RUNTIME_DIR not set.*|QStandardPaths: runtime directory .* is not owned by .*'
harmlessMessage+='|QStandardPaths: wrong permissions on runtime directory .*)$'
checkLog() {
  local log="$1" who="$2"
  [ -e "$log" ] || return 0
  [ -f "$log" ] && [ ! -L "$log" ] || fail "$who: the message log $log is not a regular file"
  local bad
  bad=$(grep -Ev "$harmlessMessage" "$log" | grep -E '^(warning|critical|fatal)|\(([0-9]+) messaggi non registrati\)' || true)
  [ -z "$bad" ] || { echo "$who: warnings in its message log $log:" >&2; echo "$bad" >&2; exit 1; }
}

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
grep -q '^quorendaville-cli [0-9]' <<< "$("$prefix/bin/quorendaville-cli" --version)"
grep -q '^quorendaville [0-9]' <<< "$("$prefix/bin/quorendaville" --version)"
grep -q 'Uso: quorendaville' <<< "$("$prefix/bin/quorendaville" --help)"

out=$("$prefix/bin/quorendaville-cli" chart --date 01/01/2000 --time 12:00 --corr -1 --coords 45N28-009E11 \
      --data-dir "$work/cli-data")
grep -q 'Sole' <<< "$out" || { echo "chart from the installed command line failed:"; echo "$out"; exit 1; }
[ -s "$work/cli-data/FilePosi/DPR1.rnd" ] || { echo "the installed template was not copied"; exit 1; }

# The installed template is the one its MANIFEST describes: every program
# file ("CRC SIZE PATH") and every remedy database file as shipped now
# ("D CRC SIZE PATH") is installed with its size and CRC-32. Earlier forms
# of the database ("P" lines) are only remembered, never installed.
templ="$prefix/share/quorendaville/data"
[ -s "$templ/MANIFEST" ] || fail "the installed template has no MANIFEST"
listed=0
while IFS= read -r line; do
  line=${line%$'\r'}
  [ -n "$line" ] || continue
  case "$line" in
    "P "*) continue ;;
    "D "*) line=${line#D } ;;
  esac
  read -r crc size path <<<"$line"
  case "$path" in "="*) path=${path#* } ;; esac  # a recorded identity: "=inode/mtime/ctime PATH"
  [[ "$crc" =~ ^[0-9a-f]{8}$ && "$size" =~ ^[0-9]+$ && -n "$path" ]] || fail "MANIFEST line not understood: $line"
  file="$templ/${path//\\//}"
  [ -f "$file" ] || fail "listed in MANIFEST but not installed: $path"
  actual=$(stat -c %s -- "$file")
  [ "$actual" = "$size" ] || fail "installed $path has $actual bytes, MANIFEST lists $size"
  actual=$(crc32 "$file")
  [ "$actual" = "$crc" ] || fail "installed $path has CRC-32 $actual, MANIFEST lists $crc"
  listed=$((listed + 1))
done <"$templ/MANIFEST"
[ "$listed" -ge 100 ] || fail "MANIFEST lists only $listed installed files"
# The drawing commands run in the installed drawing program, which finds
# the template too (a data directory of its own, made by it).
"$prefix/bin/quorendaville-cli" wheel --date 01/01/2000 --time 12:00 --corr -1 --coords 45N28-009E11 \
    --data-dir "$work/draw-data" --out "$work/wheel.svg" >/dev/null
grep -q '<svg' "$work/wheel.svg" || { echo "the installed command line drew no wheel"; exit 1; }
checkLog "$work/draw-data/MessaggiQt.log" "the installed drawing program"

# The desktop entry names the program and files it under Education and Science.
entry="$prefix/share/applications/quorendaville.desktop"
grep -qx 'Name=Quorendaville' "$entry" && grep -qx 'Exec=quorendaville' "$entry" &&
  grep -q '^Categories=Education;Science;' "$entry" || { echo "the desktop entry is not the program's:"; cat "$entry"; exit 1; }
# The entry as the desktops read it: errors and warnings fail (hints do not).
set +e
validation=$(desktop-file-validate "$entry" 2>&1)
status=$?
set -e
if [ "$status" -ne 0 ] || grep -Eq '(error|warning): ' <<< "$validation"; then
  fail "desktop-file-validate refuses the desktop entry (status $status):
$validation"
fi
grep -q '^quorendaville-cli \\- ' <<< "$(zcat "$prefix/share/man/man1/quorendaville-cli.1.gz")" ||
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
# Its messages go to its log in the data directory, not to the terminal.
checkLog "$work/gui-data/MessaggiQt.log" "the installed desktop program"
if grep -q . <<< "$(grep -Ev "$harmlessMessage" "$work/gui.log" || true)"; then
  echo "the installed desktop program wrote to the terminal:"; cat "$work/gui.log"; exit 1
fi

# The Debian package.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work/package"/quorendaville_*.deb)
files=$(dpkg-deb -c "$deb")
for f in ./usr/bin/quorendaville ./usr/bin/quorendaville-cli ./usr/share/applications/quorendaville.desktop \
         ./usr/share/icons/hicolor/scalable/apps/quorendaville.svg ./usr/share/quorendaville/data/FilePosi/DPR1.rnd; do
  # A here-string, not a pipe: grep -q stops at the first match, and with
  # pipefail the listing's writer would fail on the closed pipe.
  grep -q " $f\$" <<< "$files" || { echo "the package lacks $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libsqlite3-0 qt6-qpa-plugins fonts-liberation; do
  grep -q "$d" <<< "$depends" || { echo "the package does not depend on $d: $depends"; exit 1; }
done
# The description as Debian writes it: a summary, then lines that each begin
# with one blank (no CMake list separators).
description=$(dpkg-deb -f "$deb" Description)
if grep -q ';' <<< "$description"; then echo "the description holds a list separator:"; echo "$description"; exit 1; fi
# Stripped executables, and no more than 45 MB installed: about 35 MB of
# data (two thirds of it the atlas of foreign places), the manuals, and
# three programs; a package that grows past it has taken something it
# should not.
mkdir "$work/unpacked" && dpkg-deb -x "$deb" "$work/unpacked"
for exe in usr/bin/quorendaville usr/bin/quorendaville-cli usr/libexec/quorendaville/quorendaville-cli-draw; do
  if grep -q '\.debug_info' <<< "$(readelf -S "$work/unpacked/$exe")"; then echo "$exe keeps its debug information"; exit 1; fi
done
size=$(dpkg-deb -f "$deb" Installed-Size)
[ "$size" -le 46080 ] || { echo "the package takes $size KiB installed, more than 45 MB"; exit 1; }
# lintian's status tells a run that found tags (0, or 1 with --fail-on)
# from one that could not check the package (2 and above): with
# --fail-on none any status but 0 is a lintian that did not run.
set +e
report=$(lintian --fail-on none "$deb" 2>"$work/lintian.err")
status=$?
set -e
[ "$status" -eq 0 ] || fail "lintian could not check the package (status $status):
$(cat "$work/lintian.err")"
errors=$(echo "$report" | grep '^E:' || true)
[ -z "$errors" ] || { echo "lintian finds errors in the package:"; echo "$errors"; exit 1; }
echo "installed program and package are complete"
