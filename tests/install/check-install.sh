#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop and a user get from it:
# the install tree, the per-user data folder of an installed program (in a scratch HOME),
# the backups made at start and their restore, and that a writable folder and --cartella
# keep their own data. Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/veltaro bin/veltaro-cli share/veltaro/unins000.dll share/applications/it.veltaro.Veltaro.desktop \
         share/icons/hicolor/scalable/apps/veltaro.svg share/icons/hicolor/48x48/apps/veltaro.png \
         share/icons/hicolor/256x256/apps/veltaro.png share/doc/veltaro/README.md share/doc/veltaro/copyright \
         share/doc/veltaro/changelog.gz share/man/man1/veltaro.1.gz share/man/man1/veltaro-cli.1.gz \
         share/bash-completion/completions/veltaro-cli share/metainfo/it.veltaro.Veltaro.metainfo.xml; do
  [ -e "$prefix/$f" ] || fail "missing from the install tree: $f"
done
[ -x "$prefix/bin/veltaro" ] && [ -x "$prefix/bin/veltaro-cli" ] || fail "programs not executable"
desktop=$prefix/share/applications/it.veltaro.Veltaro.desktop
for line in '[Desktop Entry]' 'Type=Application' 'Name=Veltaro' 'Exec=veltaro' 'Icon=veltaro' 'Terminal=false'; do
  grep -qxF "$line" "$desktop" || fail "desktop entry lacks: $line"
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop" || fail "desktop entry not valid"; fi
file "$prefix/share/icons/hicolor/48x48/apps/veltaro.png" | grep -q '48 x 48' || fail "48x48 icon is not 48 x 48"

export HOME=$work/home QT_QPA_PLATFORM=offscreen
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
data=$HOME/.local/share/Veltaro
start() { "$@" --misura-avvio >/dev/null 2>&1 || fail "the program did not start: $*"; }
backups() { find "$1/Backup" -mindepth 1 -maxdepth 1 -type d -name '????-??-??_??????' 2>/dev/null | wc -l; }
# One worker card (4043 bytes) whose surname is the given text.
card() { local n=${#1}; printf "\\$(printf '%03o' "$n")%s" "$1"; head -c $((4043 - 1 - n)) /dev/zero; }

# First start of an installed program: the user's own folder, with the delivered password.
start "$prefix/bin/veltaro"
cmp -s "$data/unins000.dll" "$prefix/share/veltaro/unins000.dll" || fail "password file not copied to $data"
[ -z "$(ls "$prefix/bin" | grep -v '^veltaro')" ] || fail "the installed folder was written to"
[ ! -e "$data/Backup" ] || fail "a backup was made with no archive to copy"

# A worker saved: the next start copies it, a start with nothing changed does not.
card Rossi >"$data/Dipendenti.pro"
start "$prefix/bin/veltaro"
[ "$(backups "$data")" -eq 1 ] || fail "no backup after the first archive"
copy=$(find "$data/Backup" -name Dipendenti.pro)
cmp -s "$copy" "$data/Dipendenti.pro" || fail "the backup differs from the archive"
start "$prefix/bin/veltaro"
[ "$(backups "$data")" -eq 1 ] || fail "a backup was made with nothing changed"
sleep 1
card Verdi >>"$data/Dipendenti.pro"
start "$prefix/bin/veltaro"
[ "$(backups "$data")" -eq 2 ] || fail "no backup after a change"

# The command line finds the same folder and puts the older copy back.
list=$("$prefix/bin/veltaro-cli" ripristina)
grep -qF "Cartella dei dati: $data/" <<<"$list" || fail "ripristina lists another folder: $list"
"$prefix/bin/veltaro-cli" ripristina 2 >/dev/null || fail "ripristina 2 failed"
[ "$(stat -c %s "$data/Dipendenti.pro")" -eq 4043 ] || fail "the older copy was not put back"
[ "$(find "$data/Backup" -maxdepth 1 -name '*_prima-del-ripristino' | wc -l)" -eq 1 ] || fail "archives not kept aside"

# A program in a writable folder of its own (a removable drive) keeps its data there.
usb=$work/usb
mkdir -p "$usb"
cp "$prefix/bin/veltaro" "$usb/"
cp "$prefix/share/veltaro/unins000.dll" "$usb/"
card Bianchi >"$usb/Dipendenti.pro"
start "$usb/veltaro"
[ "$(backups "$usb")" -eq 1 ] || fail "the removable-drive copy did not back up its own folder"
[ "$(backups "$data")" -eq 2 ] || fail "the removable-drive copy touched the user's folder"

# --cartella wins over both.
other=$work/altrove
mkdir -p "$other"
card Neri >"$other/Dipendenti.pro"
start "$prefix/bin/veltaro" --cartella "$other"
[ "$(backups "$other")" -eq 1 ] || fail "--cartella was not followed"
# A folder without the password file gets the delivered one, or it could never be entered.
cmp -s "$other/unins000.dll" "$prefix/share/veltaro/unins000.dll" || fail "--cartella was not given the password file"
# The installed completion completes commands, options, and the user's archives by their path.
completed=$(PATH=$prefix/bin:$PATH bash -c '
  source "$1/share/bash-completion/completions/veltaro-cli"
  complete_words() { COMP_WORDS=(veltaro-cli "$@"); COMP_CWORD=$#; _veltaro_cli veltaro-cli "${@: -1}"; printf "%s\n" "${COMPREPLY[@]}"; }
  complete_words ri; complete_words trova --Cog; complete_words verifica ""' _ "$prefix")
for word in riepilogo ripristina --Cognome "$data/Dipendenti.pro"; do
  grep -qxF -- "$word" <<<"$completed" || fail "bash completion does not offer $word: $completed"
done
echo "install tree, per-user folder, backups, restore and completion: ok"
