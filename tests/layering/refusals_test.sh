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

[ "$failures" -eq 0 ] && echo "the layering check refuses what it must" || exit 1
