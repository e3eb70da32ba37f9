#!/usr/bin/env bash
# Rebuilds every Italian content file of data/ from its source in this folder
# and in docs/manuals/: attribution texts, messages, principles, the remedy and
# plant database with its support lists, and the three PDF manuals.
#   tools/content/rebuild_all.sh [BUILD_FOLDER] [--screenshots]
# BUILD_FOLDER (default build/) is a configured CMake build of the project.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build}"
shots=false
[ "${2:-}" = "--screenshots" ] && shots=true

python3 "$here/build_content.py" --data "$root/data"

targets=(make_manual compile_remedies)
$shots && targets+=(take_screenshots)
cmake --build "$build" --target "${targets[@]}"
tool() { find "$build" -type f -name "$1" -perm -u+x | head -n 1; }

"$(tool compile_remedies)" "$here/remedies" "$root/data"

if $shots; then
  scratch="$(mktemp -d)"
  # every view, so that the analysis pictures of the manuals are retaken too
  QT_QPA_PLATFORM=offscreen "$(tool take_screenshots)" "$scratch" 1366x768 --every-view >/dev/null
  for png in "$root"/docs/manuals/immagini/*.png; do
    name="$(basename "$png")"
    [ -f "$scratch/$name" ] && cp "$scratch/$name" "$png"
  done
  rm -rf "$scratch"
fi

manual="$(tool make_manual)"
QT_QPA_PLATFORM=offscreen "$manual" "$root/docs/manuals/Istruzioni_J.md" "$root/data/Istruzioni_J.pdf" "Quorendaville - Istruzioni sommarie"
QT_QPA_PLATFORM=offscreen "$manual" "$root/docs/manuals/Istruzioni.md" "$root/data/Istruzioni.pdf" "Quorendaville - Istruzioni estese"
QT_QPA_PLATFORM=offscreen "$manual" "$root/docs/manuals/Dispensa.md" "$root/data/Dispensa.pdf" "Quorendaville - Dispensa di astrologia spagirica"

# The data version of the program's own files, when the project keeps one
# (QV_SKIP_MANIFEST=1 leaves it alone).
if [ -z "${QV_SKIP_MANIFEST:-}" ] && cmake --build "$build" --target write_data_manifest >/dev/null 2>&1; then
  "$(tool write_data_manifest)" "$root/data"
fi
