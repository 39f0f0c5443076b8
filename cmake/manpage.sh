#!/usr/bin/env bash
# Writes a program's manual page, in Italian and compressed, from its own --help and
# --version (help2man), so that the page says what the program does:
#   manpage.sh PROGRAM "SUMMARY" OUTPUT.1.gz SEE-ALSO CHANGELOG LOCALE-DIR
# For veltaro-cli the description lists every command with its own --help.
set -euo pipefail
program=$1 summary=$2 output=$3 see_also=$4 changelog=$5 locales=$6
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# help2man writes its headings in the language of the locale it is given; a system without
# the Italian locale gets one built beside the pages. Both pages are written at the same
# time by a parallel build, so the locale is made in a folder of this run's own and put in
# place with one rename: the other run sees either no locale or a whole one, never half.
if ! locale -a 2>/dev/null | grep -ix 'it_IT\.utf-\?8' >/dev/null; then
  if [ ! -d "$locales/it_IT.UTF-8" ]; then
    mkdir -p "$locales"
    own=$(mktemp -d "$locales/.making.XXXXXX")
    localedef -i it_IT -c -f UTF-8 "$own/it_IT.UTF-8" 2>/dev/null || [ -f "$own/it_IT.UTF-8/LC_CTYPE" ]
    mv -T "$own/it_IT.UTF-8" "$locales/it_IT.UTF-8" 2>/dev/null || [ -d "$locales/it_IT.UTF-8" ]
    rm -rf "$own"
  fi
  export LOCPATH=$locales
fi

# Plain text into roff: backslashes, a leading dot or quote, hyphens as minus signs.
roff() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/" -e 's/-/\\-/g'; }

include=$work/include
{
  echo "[VEDERE ANCHE]"
  echo ".BR $see_also (1)"
} >"$include"
if [ "$name" = veltaro-cli ]; then
  {
    echo "[=DESCRIZIONE]"
    # The paragraph under the synopsis, then each command as its own help describes it.
    "$program" --help | sed -n '2,/^$/p' | sed '/^$/d' | roff
    echo '.SS "Comandi"'
    for command in $("$program" --help | awk '/^Comandi:/ { on = 1; next } /^$/ { on = 0 } on { print $1 }'); do
      echo ".TP"
      "$program" "$command" --help | sed -n '1,/^$/p' | sed '/^$/d' | {
        read -r first
        printf '.B %s\n' "${first#Uso: $name }" | roff | sed 's/^\\&\././; s/^\.B /.B /'
        # Lines naming an archive ("Orari.pro: ...") each start a line of their own.
        sed -e 's/^  //' | roff | sed -E 's/^([A-Za-z]+\.(pro|ore|set|prg|lav): )/.br\n\1/'
      }
    done
  } >>"$include"
fi

# The page's date is the date of the last release, so that a rebuild gives the same page.
stamp=$(sed -n 's/^ -- .*>  //p' "$changelog" | head -n 1)
SOURCE_DATE_EPOCH=$(date -d "$stamp" +%s) help2man --no-info --locale=it_IT.UTF-8 --section=1 \
  --name="$summary" --include="$include" --output="$work/page" "$program"
# A locale help2man could not use gives English headings without an error: say so here.
grep -q '^\.SH SINTASSI' "$work/page" || { echo "manpage.sh: $name(1) did not come out in Italian" >&2; exit 1; }
gzip -9n <"$work/page" >"$output"
