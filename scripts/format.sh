#!/usr/bin/env bash
# Lays out every C++ file of src/, tests/, bench/ and fuzz/ as .clang-format says, in place.
# With --check, changes nothing and lists what would change (exit 1 when anything would).
# The layout differs between clang-format's major versions; this one is kept for version 14.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
[ "${1:-}" = --check ] && mode=(--dry-run --Werror)
tool=$(bash tests/format/find-clang-format.sh) || {
  echo "clang-format 14 is needed (scripts/deps.sh installs it)" >&2
  exit 2
}
find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z \
  | xargs -0 "$tool" "${mode[@]}"
