#!/usr/bin/env bash
# Checks the direction of every include between the program's folders, and
# of every library link in their CMake files.
#
# The core folders, from the bottom up. A core folder includes only itself
# and the folders below it; it never includes window code (any ui/ folder).
# A window folder (X/ui) includes any core folder, its own ui/ folder and the
# shared base/ui; only shell/ui wires the windows of several subsystems.
# shell/cli is the command line: any core folder, no windows.
#
# Core code has no Qt at all, except the drawing layer (display/), which
# draws with QtGui and never includes Qt Widgets, and the printing of the
# consultation report (consultations/print/), which does the same.
#
# Beside the order, a table of includes the order would allow but the
# design forbids. The doctrines (analysis/) take a chart and the settings
# from their caller: they read neither the archives nor the current
# subject's chart.
#
# Usage: check_layering.sh [SOURCE_ROOT]   (default: the repository)
set -u
cd "${1:-$(dirname "$0")/..}"

layers=(base datatemplate ephemeris settings editor archive chart analysis timing display remedies consultations shell)

# "from to": folder `from` never includes anything of folder `to`.
forbidden=(
  "analysis archive"
  "analysis chart"
)

forbidden_pair() {
  local pair
  for pair in "${forbidden[@]}"; do
    [ "$pair" = "$1 $2" ] && return 0
  done
  return 1
}

# The rank of each layered folder; a folder that is not one has none.
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

# Every project include of every source file in the layered folders, as
# "file<TAB>included path".
includes() {
  local layer
  for layer in "${layers[@]}"; do
    [ -d "$layer" ] || continue
    grep -rnE '^\s*#\s*include\s*"' --include='*.h' --include='*.cpp' "$layer" 2>/dev/null |
      sed -E 's/^([^:]+):[0-9]+:\s*#\s*include\s*"([^"]+)".*/\1\t\2/'
  done
}

while IFS=$'\t' read -r file included; do
  [ -n "$file" ] || continue
  from_layer=${file%%/*}
  to_layer=${included%%/*}
  to_rank=${rank[$to_layer]:--1}
  [ "$to_rank" -ge 0 ] || continue # a header beside the file, or a system one
  from_rank=${rank[$from_layer]:--1}
  from_ui=0; to_ui=0
  case "$file" in */ui/*) from_ui=1 ;; esac
  case "$included" in */ui/*) to_ui=1 ;; esac

  if forbidden_pair "$from_layer" "$to_layer"; then
    fail "$file: $from_layer/ never includes $to_layer/ ($included)"
  fi
  if [ "$from_ui" = 0 ]; then
    if [ "$to_ui" = 1 ]; then
      fail "$file: core code includes window code $included"
    elif [ "$to_rank" -gt "$from_rank" ]; then
      fail "$file: $from_layer/ includes $included from $to_layer/, a folder above it"
    fi
  elif [ "$to_ui" = 1 ] && [ "$to_layer" != "$from_layer" ] && [ "$to_layer" != base ] &&
       [ "$from_layer" != shell ]; then
    fail "$file: windows of $from_layer/ include windows of $to_layer/ ($included); only shell/ui wires subsystems"
  fi
  if [ "$from_layer" = shell ] && [ "$to_ui" = 1 ]; then
    case "$file" in shell/ui/*) ;; *) fail "$file: shell core or command line includes window code $included" ;; esac
  fi
done < <(includes)

# No Qt in core code; no Qt Widgets in the drawing layer. Only the files
# that include some Qt header are looked at twice.
existing=()
for layer in "${layers[@]}"; do [ -d "$layer" ] && existing+=("$layer"); done
while IFS= read -r file; do
  case "$file" in */ui/*) continue ;; esac
  if [[ "$file" == display/* || "$file" == consultations/print/* ]]; then
    if grep -qE '^\s*#\s*include\s*<(QtWidgets/|QWidget|QApplication|QDialog|QMainWindow|QPushButton|QLabel|QScrollBar|QLineEdit)' "$file"; then
      fail "$file: the drawing layer includes Qt Widgets"
    fi
  else
    fail "$file: Qt included in core code"
  fi
done < <(grep -rlE '^\s*#\s*include\s*[<"]Q' --include='*.h' --include='*.cpp' "${existing[@]}" 2>/dev/null)

# The same order for what the build links: each library or program defined
# in a layered folder's CMake files may link only the libraries the include
# rules would let it include. A link the includes do not need still makes
# the layers one at link time.
cmake_files() {
  local layer
  for layer in "${layers[@]}"; do
    [ -d "$layer" ] && find "$layer" \( -name CMakeLists.txt -o -name '*.cmake' \) -type f
  done
}
declare -A folder_of
while IFS= read -r f; do
  while IFS= read -r t; do
    [ -n "$t" ] && folder_of[$t]=$(dirname "$f")
  done < <(grep -oE '(add_library|add_executable)\([A-Za-z0-9_-]+' "$f" | sed -E 's/^[a-z_]+\(//')
done < <(cmake_files)

check_link() {
  local cmake_file=$1 target=$2 lib=$3
  local from=${folder_of[$target]:-} to=${folder_of[$lib]:-}
  [ -n "$from" ] && [ -n "$to" ] || return 0
  local from_layer=${from%%/*} to_layer=${to%%/*}
  local from_ui=0 to_ui=0
  # Window libraries live in ui/ folders or are named so (qv_editor_ui).
  case "$from" in */ui|*/ui/*) from_ui=1 ;; esac
  case "$to" in */ui|*/ui/*) to_ui=1 ;; esac
  case "$target" in *_ui) from_ui=1 ;; esac
  case "$lib" in *_ui) to_ui=1 ;; esac
  local from_rank=${rank[$from_layer]:--1} to_rank=${rank[$to_layer]:--1}
  [ "$to_rank" -ge 0 ] && [ "$from_rank" -ge 0 ] || return 0
  if forbidden_pair "$from_layer" "$to_layer"; then
    fail "$cmake_file: $target links $lib: $from_layer/ never depends on $to_layer/"
  elif [ "$from_ui" = 0 ] && [ "$to_ui" = 1 ]; then
    fail "$cmake_file: $target links $lib: core code links window code"
  elif [ "$from_ui" = 0 ] && [ "$to_rank" -gt "$from_rank" ]; then
    fail "$cmake_file: $target links $lib from $to_layer/, a folder above $from_layer/"
  fi
}

while IFS= read -r f; do
  # Each call on one line, whatever its line breaks.
  while IFS= read -r call; do
    set -- $call
    target=$1
    shift
    for lib in "$@"; do
      case "$lib" in qv_*) check_link "$f" "$target" "$lib" ;; esac
    done
  done < <(tr '\n' ' ' < "$f" | grep -oE 'target_link_libraries\([^)]*\)' |
             sed -E 's/^target_link_libraries\(//; s/\)$//; s/\b(PUBLIC|PRIVATE|INTERFACE)\b//g')
done < <(cmake_files)

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) or link(s) break the layering"
  exit 1
fi
echo "includes and links follow the layering"
