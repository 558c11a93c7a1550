#!/usr/bin/env bash
# Fails when a source file outside a ui/ folder includes a Qt header.
set -u
src="$1"
found=$(grep -rlE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' "$src" --include='*.cpp' --include='*.h' | grep -v '/ui/' || true)
if [ -n "$found" ]; then
  echo "Qt headers included outside ui/ folders:"
  echo "$found"
  exit 1
fi
echo "no Qt header outside ui/ folders"
