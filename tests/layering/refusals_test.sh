#!/usr/bin/env bash
# The layering check refuses what the design forbids, on small trees made
# here: each case is one include, and whether the check must accept it.
set -u
check="$1"
failures=0

try() {
  local expect=$1 file=$2 included=$3
  local root
  root=$(mktemp -d)
  mkdir -p "$root/$(dirname "$file")"
  printf '#include "%s"\n' "$included" > "$root/$file"
  if "$check" "$root" > "$root/out" 2>&1; then got=accepts; else got=refuses; fi
  if [ "$got" != "$expect" ]; then
    echo "FAIL: $file including $included: the check $got, it should $(echo "$expect" | sed 's/s$//')"
    cat "$root/out"
    failures=$((failures + 1))
  fi
  rm -rf "$root"
}

try refuses analysis/chart_master.cpp archive/archive_records.h
try refuses analysis/dominant_chart.cpp archive/current_subject.h
try refuses analysis/ui/orb_editor.cpp archive/places.h
try refuses analysis/chart_keys.cpp chart/chart_computation.h
try refuses archive/places.cpp analysis/aspects.h
try accepts analysis/aspects.cpp settings/chart_settings.h
try accepts display/wheel.cpp archive/current_subject.h
try accepts chart/chart_computation.cpp archive/archive_records.h
# Timing sits above the doctrines and below the drawing layer.
try accepts timing/transits.cpp analysis/planetary_hour.h
try refuses timing/transits.cpp display/wheel.h
try refuses analysis/planetary_hour.cpp timing/transits.h
try accepts timing/ui/transits_window.cpp display/transit_wheel.h
try refuses timing/ui/transits_window.cpp display/ui/analysis_canvas.h

# Links in the CMake files: each case is one library linking another.
try_link() {
  local expect=$1 from=$2 target=$3 to=$4 lib=$5
  local root
  root=$(mktemp -d)
  mkdir -p "$root/$from" "$root/$to"
  printf 'add_library(%s STATIC a.cpp)\n' "$lib" >> "$root/$to/CMakeLists.txt"
  printf 'add_library(%s STATIC b.cpp)\ntarget_link_libraries(%s\n  PUBLIC %s)\n' "$target" "$target" "$lib" \
    >> "$root/$from/CMakeLists.txt"
  if "$check" "$root" > "$root/out" 2>&1; then got=accepts; else got=refuses; fi
  if [ "$got" != "$expect" ]; then
    echo "FAIL: $target ($from) linking $lib ($to): the check $got, it should $(echo "$expect" | sed 's/s$//')"
    cat "$root/out"
    failures=$((failures + 1))
  fi
  rm -rf "$root"
}

try_link refuses analysis qv_analysis archive qv_archive
try_link refuses analysis qv_analysis chart qv_chart
try_link refuses archive qv_archive remedies qv_remedies
try_link refuses remedies qv_remedies remedies/ui qv_remedies_ui
try_link accepts analysis qv_analysis settings qv_chart_settings
try_link accepts consultations qv_consultations archive qv_archive

[ "$failures" -eq 0 ] && echo "the layering check refuses what it must" || exit 1
