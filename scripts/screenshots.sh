#!/usr/bin/env bash
# Takes the README's screenshots from the real program: made-up archives in a scratch folder,
# the program under Xvfb at 1280 x 800 driven with xdotool, each screen saved as a small PNG
# in docs/screenshots/. SCREEN_DISPLAY picks the X display (default :99). The clicks are
# screen positions: when a screen's layout changes, check the pictures and the positions here.
set -euo pipefail
cd "$(dirname "$0")/.."
display=${SCREEN_DISPLAY:-:99}
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  s=""; [ "$(id -u)" -eq 0 ] || s=sudo
  $s apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
[ -x build/bin/veltaro ] && [ -x build/bench/veltaro-gen ] || bash scripts/build.sh

out=docs/screenshots
data=$(mktemp -d)
mkdir -p "$out"
if [ -e "/tmp/.X11-unix/X${display#:}" ]; then
  echo "display $display is in use: choose another with SCREEN_DISPLAY=:N" >&2
  rmdir "$data"
  exit 1
fi
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$data"' EXIT
export DISPLAY=$display
sleep 1

year=$(date +%Y)
cp resources/unins000.dll "$data/"
build/bench/veltaro-gen lavoratori 40 "$data/Dipendenti.pro" --seme 7 >/dev/null
build/bench/veltaro-gen lavori 400 "$data/$year.lav" --persone 12 --seme 7 >/dev/null
build/bin/veltaro --cartella "$data" >/dev/null 2>&1 &
app=$!

# Waits for a window whose title holds the text.
window() { timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -1; }
click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-1}"; }
# A palette of 64 colours, undithered, keeps each picture to a few tens of kilobytes.
shot() {
  import -window "${2:-root}" "$data/shot.png"
  convert "$data/shot.png" +dither -colors 64 -define png:compression-level=9 "PNG8:$out/$1.png"
  echo "$out/$1.png"
}

shot 01-accesso "$(window 'Accesso')"
xdotool type --delay 40 ACCESSO
xdotool key Return
window '^Veltaro$' >/dev/null
sleep 1.5                                  # the contracts due are counted meanwhile
shot 02-menu-principale

click 510 207                              # Anagrafica lavoratori
click 485 30                               # Ultimo
shot 03-anagrafica-lavoratori
click 822 30                               # Anteprima
xdotool key Return                         # Mostra anteprima
sleep 2
shot 09-anteprima-scheda
xdotool key Escape                         # closes the preview
sleep 1
click 153 30                               # Trova
click 907 652 1.5                          # Cerca, every worker
shot 04-trova-lavoratori
click 1011 656                             # Chiudi
click 950 30                               # Esci

click 640 495 1.5                          # the contracts due, from the main menu
shot 05-contratti-in-scadenza
click 1011 656                             # Chiudi

click 510 310                              # Calendario turni
shot 06-calendario-turni
click 1199 734                             # Esci

click 510 413                              # Registrazione lavori
click 775 317 1.5                          # Apri, this year
click 548 30                               # Ultimo
shot 07-registrazione-lavori
click 939 30                               # Esci

click 862 413                              # Riepilogo compensi
click 783 371                              # Statistiche rimunerazioni mensili
click 712 305 2                            # Apri, this year
shot 08-statistiche
