#!/usr/bin/env bash
# Fails when a C++ file of src/, tests/, bench/ or fuzz/ is not laid out as .clang-format
# says, naming the lines; `bash scripts/format.sh` lays them out. Skipped (exit 77) when
# clang-format 14 is not installed. Usage: check-format.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
if ! tool=$(bash tests/format/find-clang-format.sh); then
  echo "SKIP: clang-format 14 is not installed (scripts/deps.sh installs it)"
  exit 77
fi
find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z \
  | xargs -0 "$tool" --dry-run --Werror || {
  echo "Some files are not laid out as .clang-format says: run bash scripts/format.sh" >&2
  exit 1
}
