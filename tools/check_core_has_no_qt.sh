#!/usr/bin/env bash
# The core folders hold no window code: no Qt include outside ui/ folders,
# the drawing layer (display/) and the program entry (shell/, except cli/).
set -u
cd "$(dirname "$0")/.."
hits=$(grep -rlE '^\s*#\s*include\s*[<"]Q' base ephemeris analysis archive remedies shell/cli editor 2>/dev/null \
       | grep -v '/ui/' || true)
# The subject text editor is a window: only its core files are checked.
hits=$(printf '%s\n' "$hits" | grep -vE '^editor/(ui/|.*_window\.)' | sed '/^$/d')
if [ -n "$hits" ]; then
  echo "Qt included in core code:"
  echo "$hits"
  exit 1
fi
echo "core code has no Qt"
