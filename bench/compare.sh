#!/usr/bin/env bash
# Whole-process timings of veltaro-cli against reading the same archive once (cat), against
# the floor (the same file read by as many threads as the commands use, build/bench/read_floor)
# and against grep looking for a word in it, then the same work on the screens (offscreen).
# Run after the build:
#
#   bench/compare.sh [BUILD_DIR]        (default: build beside this folder)
#
# Environment: RUNS (default 20) and WARMUP (default 3), the rounds; VELTARO_THREADS, when set,
# is used by the commands and the floor alike; VELTARO_MAP=0 has the commands copy the file
# with read() instead of mapping it.
# The commands of a group run in turn, round after round, beside cat (build/bench/interleaved),
# so that a moment of load on this shared machine weighs on all of them alike. Each command
# shows its median wall time, its ratio to cat's (aim: 1.0 or less; 2 for the export, which
# also writes a file almost half the archive's size, safely), its ratio to the floor's, and
# the ratio of its processor time (user + system) to cat's, which work on several threads
# makes higher, not lower: it shows what the threads cost. Ratios are medians of the ratios
# taken round by round.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli=$build/bin/veltaro-cli
gen=$build/bench/veltaro-gen
screens=$build/bench/screen_bench
floor=$build/bench/read_floor
timer=$build/bench/interleaved
runs=${RUNS:-20}
warmup=${WARMUP:-3}
target=1.0
export_target=2

for tool in "$cli" "$gen" "$floor" "$timer"; do
    [[ -x $tool ]] || { echo "manca $tool: compilare prima (cmake --build $build)" >&2; exit 2; }
done

# As many threads as the commands use (ArchiveScan::threads()).
threads=${VELTARO_THREADS:-$(nproc)}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

log=$work/2024.lav
workers=$work/Dipendenti.pro
"$gen" lavori 50000 "$log" --seme 1
"$gen" lavoratori 20000 "$workers" --seme 1

# The word for the worker archive is a surname; for the year log, the codice fiscale of a
# worker who appears in it, so the one-worker summary and grep look for the same text.
surname=ross
"$cli" riepilogo "$log" --dal=01/01/2024 --al=31/12/2024 >"$work/year.txt"
code=$(grep -o -m1 'C\.F\. [A-Z0-9]\{16\}' "$work/year.txt" | cut -c6-)
[[ -n $code ]] || { echo "nessun codice fiscale nel registro generato" >&2; exit 2; }

# timed OUT null|pipe COMMAND...: the commands run in turn, round after round (see
# Interleaved.cpp), into OUT: a line a command with its text, median wall and processor ms,
# and the medians of its wall and processor ratios to the first command, round by round.
timed() {
    local out=$1 into=$2
    shift 2
    "$timer" "$runs" "$warmup" "$into" "$@" >"$out"
}
# field OUT COMMAND N: field N (2 wall, 3 processor, 4 wall /first, 5 processor /first).
field() {
    awk -F'\t' -v cmd="$2" -v n="$3" '$1 == cmd { print $n }' "$1"
}

# target_of COMMAND: the ratio to cat a command aims at.
target_of() {
    case $1 in
        *" esporta "*) echo "$export_target" ;;
        *) echo "$target" ;;
    esac
}

# measure NAME FILE WORD CLI_COMMAND...: cat, the floor and the commands with their output
# thrown away, then grep and the same commands writing into a pipe. GNU grep stops at the
# first match when its output is /dev/null, so grep never writes there. Every ratio is the
# median of the ratios taken round by round, each command beside cat (or grep) in the same
# round.
measure() {
    local name=$1 file=$2 word=$3
    shift 3
    local cat_cmd="cat $file" floor_cmd="$floor $file" grep_cmd="grep -a -c -i $word $file"
    echo
    echo "== $name: $(du -m "$file" | cut -f1) MB, parola \"$word\""
    timed "$work/null.tsv" null "$cat_cmd" "$floor_cmd" "$@"
    timed "$work/pipe.tsv" pipe "$grep_cmd" "$@"
    local floor_ratio
    floor_ratio=$(field "$work/null.tsv" "$floor_cmd" 4)
    printf '  %-14s %8s ms   (processore %s ms)\n' "cat" "$(field "$work/null.tsv" "$cat_cmd" 2)" \
        "$(field "$work/null.tsv" "$cat_cmd" 3)"
    printf '  %-14s %8s ms   (processore %s ms, %s thread; /cat %.2f)\n' "pavimento" \
        "$(field "$work/null.tsv" "$floor_cmd" 2)" "$(field "$work/null.tsv" "$floor_cmd" 3)" "$threads" "$floor_ratio"
    printf '  %-14s %8s ms   (in una pipe)\n' "grep -a -c -i" "$(field "$work/pipe.tsv" "$grep_cmd" 2)"
    local cmd
    for cmd in "$@"; do
        local shown=${cmd#"$cli "}
        echo "  ${shown//$work\//}"
        awk -v q="$(field "$work/null.tsv" "$cmd" 2)" -v r="$(field "$work/null.tsv" "$cmd" 4)" \
            -v u="$(field "$work/null.tsv" "$cmd" 5)" -v f="$floor_ratio" -v p="$(field "$work/pipe.tsv" "$cmd" 2)" \
            -v g="$(field "$work/pipe.tsv" "$cmd" 4)" -v t="$(target_of "$cmd")" 'BEGIN {
            printf "    %.1f ms  /cat %.2f %s   /pavimento %.2f   processore /cat %.2f   in una pipe %.1f ms /grep %.2f %s\n",
                q, r, (r <= t ? "ok" : "OLTRE " t "x"), r / f, u, p, g, (g < 1 ? "ok" : "NON piu veloce")
        }'
    done
}

measure "Dipendenti.pro, 20000 schede" "$workers" "$surname" \
    "$cli trova $workers --Cognome=$surname" \
    "$cli trova $workers" \
    "$cli scadenze $workers --oggi=01/06/2024"
measure "2024.lav, 50000 schede" "$log" "$code" \
    "$cli statistiche $log" \
    "$cli riepilogo $log --dal=01/01/2024 --al=31/12/2024" \
    "$cli riepilogo $log --dal=01/01/2024 --al=31/12/2024 --cf=$code" \
    "$cli riepilogo $log --dal=01/01/2024 --al=31/12/2024 --cf=ZZZZ" \
    "$cli trova $log --CodFisc=$code" \
    "$cli incompleti $log" \
    "$cli rendiconto $log --codice=PRG-2024-003" \
    "$cli esporta $log --file=$work/Lavori.xls"
# The export's own floor: the sheet it wrote, copied durably (written, flushed to the disk)
# beside it and renamed over the previous copy, as the export must do with its file.
sheet=$work/Lavori.xls
cp "$sheet" "$work/Copia.xls"
durable="dd if=$sheet of=$work/Copia.tmp bs=1M conv=fsync status=none && mv $work/Copia.tmp $work/Copia.xls"
exporting="$cli esporta $log --file=$sheet"
timed "$work/durable.tsv" null "cat $log" "sh -c $durable" "$exporting"
echo
echo "== esporta accanto alla scrittura sicura dei suoi $(du -m "$sheet" | cut -f1) MB (dd conv=fsync, mv sulla copia precedente, tramite una shell)"
awk -v c="$(field "$work/durable.tsv" "cat $log" 2)" -v d="$(field "$work/durable.tsv" "sh -c $durable" 2)" \
    -v dr="$(field "$work/durable.tsv" "sh -c $durable" 4)" -v e="$(field "$work/durable.tsv" "$exporting" 2)" \
    -v er="$(field "$work/durable.tsv" "$exporting" 4)" 'BEGIN {
        printf "  cat %.1f ms   scrittura sicura %.1f ms (/cat %.2f)   esporta %.1f ms (/cat %.2f, /scrittura sicura %.2f)\n",
            c, d, dr, e, er, er / dr
    }'

# The search over every archive of a folder holding just the year log, beside reading it.
mkdir -p "$work/cartella"
ln -s "$log" "$work/cartella/2024.lav"
measure "cartella con 2024.lav" "$log" "$code" \
    "$cli cerca $code --cartella=$work/cartella"

# The fixed start-up every command pays, beside a program that does nothing.
echo
echo "== avvio"
timed "$work/start.tsv" null "true" "$cli --help"
for cmd in "true" "$cli --help"; do
    printf '  %-24s %6s ms   (processore %s ms)\n' "${cmd#"$build/bin/"}" \
        "$(field "$work/start.tsv" "$cmd" 2)" "$(field "$work/start.tsv" "$cmd" 3)"
done

if [[ -x $screens ]]; then
    echo
    echo "== schermate (offscreen, dal comando all'elenco pieno, tempo reale)"
    QT_QPA_PLATFORM=offscreen "$screens" "$log" "$workers" "$runs" 2>/dev/null
fi
