#!/usr/bin/env bash
# The desktop entry and the software-centre data validate offline and name each other by
# the one program id. Usage: check-desktop.sh SOURCE_DIR
set -euo pipefail
resources=$1/resources
fail() { echo "FAIL: $*" >&2; exit 1; }
metainfo=$(ls "$resources"/*.metainfo.xml)
id=$(basename "$metainfo" .metainfo.xml)
desktop=$resources/$id.desktop
[ -f "$desktop" ] || fail "no desktop entry named after $id"
desktop-file-validate "$desktop" || fail "desktop entry not valid"
appstreamcli validate --no-net "$metainfo" || fail "metainfo not valid"
grep -qF "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo does not launch $id.desktop"
grep -qF "setDesktopFileName(QStringLiteral(\"$id\"))" "$1/src/main.cpp" || fail "the program does not call itself $id"
# The README's screenshots, every one of them.
for shot in $(grep -o 'docs/screenshots/[^)]*\.png' "$1/README.md"); do
  grep -qF "/screenshots/$(basename "$shot")</image>" "$metainfo" || fail "metainfo lacks the screenshot $shot"
done
echo "desktop entry and metainfo of $id: valid"
