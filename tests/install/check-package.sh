#!/usr/bin/env bash
# Makes the Debian package into a scratch folder and checks it as Debian does: lintian finds
# no error and no warning (informational tags are listed), the package carries its
# licence, changelog, manual pages, completion and software-centre data, and every place
# that names the version names the one of CMakeLists.txt. Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack did not make the package"; }
deb=$(ls "$work"/veltaro_*.deb)

version=$("$build/bin/veltaro-cli" --version | sed -n '1s/.* //p')
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version), programs $version"
[ "$("$build/bin/veltaro" --version | sed -n '1s/.* //p')" = "$version" ] || fail "veltaro and veltaro-cli give different versions"
changelog_version=$(dpkg-parsechangelog -l "$source_dir/resources/debian/changelog" -S Version)
[ "$changelog_version" = "$version" ] || fail "the changelog's last entry is $changelog_version, the programs $version"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$source_dir"/resources/*.metainfo.xml | sed -n 1p)
[ "$release" = "$version" ] || fail "the metainfo's last release is $release, the programs $version"

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
# The manual pages speak Italian, like the programs.
# The page is read whole before it is looked at: a grep that stops at its first match would
# leave tar and zcat writing into a closed pipe, and pipefail would take that for a failure.
for page in veltaro veltaro-cli; do
  text=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/man/man1/$page.1.gz" | zcat) \
    || fail "the manual page $page(1) cannot be read from the package"
  grep -q "^\.SH SINTASSI" <<<"$text" || fail "the manual page $page(1) is not in Italian"
done
for f in usr/share/doc/veltaro/copyright usr/share/doc/veltaro/changelog.gz usr/share/man/man1/veltaro.1.gz \
         usr/share/man/man1/veltaro-cli.1.gz usr/share/bash-completion/completions/veltaro-cli \
         usr/share/metainfo/it.veltaro.Veltaro.metainfo.xml usr/share/applications/it.veltaro.Veltaro.desktop; do
  grep -qxF "./$f" <<<"$contents" || fail "the package lacks $f"
done

# Informational tags are shown for the record; a root build machine also hears that lintian
# had rather not run as root.
lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 || status=$?
grep -v 'root privileges' "$work/lintian.txt" || true
[ "${status:-0}" -eq 0 ] && ! grep -qE '^[EW]: ' "$work/lintian.txt" || fail "lintian reports errors or warnings"
echo "package: lintian without errors or warnings, version $version throughout"
