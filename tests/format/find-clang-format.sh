#!/usr/bin/env bash
# Prints the clang-format that lays out the tree as it is kept: major version 14, since
# other versions break some lines differently. Exits 1 when there is none.
for tool in clang-format-14 clang-format; do
  command -v "$tool" >/dev/null || continue
  "$tool" --version | grep -qE 'version 14\.' && { command -v "$tool"; exit 0; }
done
exit 1
