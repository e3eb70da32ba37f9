#!/usr/bin/env bash
# Checks the direction of every include between the program's folders.
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

layers=(base ephemeris settings editor archive chart analysis display remedies consultations shell)

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

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) break the layering"
  exit 1
fi
echo "includes follow the layering"
