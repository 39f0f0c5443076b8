#!/usr/bin/env bash
# Installs the Debian packages Veltaro needs to build, run and test, when they are missing.
set -euo pipefail
# qt6-charts-dev's CMake files need Qt6OpenGL (libqt6opengl6-dev) and Qt6Gui looks for XKB
# (libxkbcommon-dev); --no-install-recommends brings neither. LibreOffice and poppler-utils
# let the tests open exported files and printed pages as a user's office programs would.
# dpkg-dev and file let CPack find the Debian package's library dependencies.
# help2man (with the Italian locale from locales) writes the manual pages; lintian, appstream
# and desktop-file-utils check the package, its software-centre data and its desktop entry.
# clang-format checks the layout of the C++ files (tests/format).
packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev libxkbcommon-dev
          qt6-qpa-plugins qt6-translations-l10n libgl-dev fonts-liberation libbenchmark-dev
          libreoffice-writer-nogui libreoffice-calc-nogui poppler-utils dpkg-dev file
          help2man locales lintian appstream desktop-file-utils clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
