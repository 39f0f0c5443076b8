#!/usr/bin/env bash
# Whole-process timings of veltaro-cli against reading the same archive once (cat), against
# the floor (the same file read by as many threads as the commands use, build/bench/read_floor)
# and against grep looking for a word in it, then the same work on the screens (offscreen).
# Run after the build:
#
#   bench/compare.sh [BUILD_DIR]        (default: build beside this folder)
#
# Environment: RUNS (default 20) and WARMUP (default 3) for hyperfine; VELTARO_THREADS, when
# set, is used by the commands and the floor alike.
# Each command shows the median wall time, its ratio to cat's (aim: 1.0 or less; 2 for the
# export, which also writes a file almost half the archive's size, safely), its ratio to the
# floor's, and the ratio of its processor time (user + system, hyperfine's means) to cat's,
# which work on several threads makes higher, not lower: it shows what the threads cost.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli=$build/bin/veltaro-cli
gen=$build/bench/veltaro-gen
screens=$build/bench/screen_bench
floor=$build/bench/read_floor
runs=${RUNS:-20}
warmup=${WARMUP:-3}
target=1.0
export_target=2

for tool in "$cli" "$gen" "$floor"; do
    [[ -x $tool ]] || { echo "manca $tool: compilare prima (cmake --build $build)" >&2; exit 2; }
done

if ! command -v hyperfine >/dev/null; then
    sudo=
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get install -y hyperfine
fi

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

# column CSV COMMAND FIELD: one field (median, user, system) of a hyperfine CSV export, in ms.
column() {
    awk -F, -v cmd="$2" -v f="$3" 'NR == 1 { for (i = 1; i <= NF; ++i) at[$i] = i; next }
        { c = $1; gsub(/^"|"$/, "", c); if (c == cmd) printf "%.1f", $at[f] * 1000 }' "$1"
}
cpu_ms() {
    awk -v u="$(column "$1" "$2" user)" -v s="$(column "$1" "$2" system)" 'BEGIN { printf "%.1f", u + s }'
}

# target_of COMMAND: the ratio to cat a command aims at.
target_of() {
    case $1 in
        *" esporta "*) echo "$export_target" ;;
        *) echo "$target" ;;
    esac
}

# measure NAME FILE WORD CLI_COMMAND...: cat and the commands with their output thrown
# away, then grep and the same commands writing into a pipe. GNU grep stops at the first
# match when its output is /dev/null, so grep never writes there.
measure() {
    local name=$1 file=$2 word=$3
    shift 3
    local cat_cmd="cat $file" floor_cmd="$floor $file" grep_cmd="grep -a -c -i $word $file"
    echo
    echo "== $name: $(du -m "$file" | cut -f1) MB, parola \"$word\""
    hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --output=null \
        --export-csv "$work/null.csv" "$cat_cmd" "$floor_cmd" "$@" >/dev/null 2>"$work/warnings"
    hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --output=pipe \
        --export-csv "$work/pipe.csv" "$grep_cmd" "$@" >/dev/null 2>"$work/warnings"
    local cat_ms cat_cpu floor_ms grep_ms
    cat_ms=$(column "$work/null.csv" "$cat_cmd" median)
    cat_cpu=$(cpu_ms "$work/null.csv" "$cat_cmd")
    floor_ms=$(column "$work/null.csv" "$floor_cmd" median)
    grep_ms=$(column "$work/pipe.csv" "$grep_cmd" median)
    printf '  %-14s %8s ms   (processore %s ms)\n' "cat" "$cat_ms" "$cat_cpu"
    printf '  %-14s %8s ms   (processore %s ms, %s thread; /cat %s)\n' "pavimento" "$floor_ms" \
        "$(cpu_ms "$work/null.csv" "$floor_cmd")" "$threads" "$(awk -v f="$floor_ms" -v c="$cat_ms" 'BEGIN { printf "%.2f", f / c }')"
    printf '  %-14s %8s ms   (in una pipe)\n' "grep -a -c -i" "$grep_ms"
    local cmd
    for cmd in "$@"; do
        local quiet cpu piped
        quiet=$(column "$work/null.csv" "$cmd" median)
        cpu=$(cpu_ms "$work/null.csv" "$cmd")
        piped=$(column "$work/pipe.csv" "$cmd" median)
        local shown=${cmd#"$cli "}
        echo "  ${shown//$work\//}"
        awk -v q="$quiet" -v u="$cpu" -v p="$piped" -v c="$cat_ms" -v cu="$cat_cpu" -v f="$floor_ms" -v g="$grep_ms" -v t="$(target_of "$cmd")" 'BEGIN {
            printf "    %.1f ms  /cat %.2f %s   /pavimento %.2f   processore /cat %.2f   in una pipe %.1f ms /grep %.2f %s\n",
                q, q / c, (q <= t * c ? "ok" : "OLTRE " t "x"), q / f, u / cu,
                p, p / g, (p < g ? "ok" : "NON piu veloce")
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
hyperfine --style basic --warmup "$warmup" --runs "$runs" --output=null --export-csv "$work/durable.csv" \
    "cat $log" "$durable" "$exporting" >/dev/null 2>"$work/warnings"
echo
echo "== esporta accanto alla scrittura sicura dei suoi $(du -m "$sheet" | cut -f1) MB (dd conv=fsync, mv sulla copia precedente, tramite una shell)"
awk -v c="$(column "$work/durable.csv" "cat $log" median)" -v d="$(column "$work/durable.csv" "$durable" median)" \
    -v e="$(column "$work/durable.csv" "$exporting" median)" 'BEGIN {
        printf "  cat %.1f ms   scrittura sicura %.1f ms (/cat %.2f)   esporta %.1f ms (/cat %.2f, /scrittura sicura %.2f)\n",
            c, d, d / c, e, e / c, e / d
    }'

# The search over every archive of a folder holding just the year log, beside reading it.
mkdir -p "$work/cartella"
ln -s "$log" "$work/cartella/2024.lav"
measure "cartella con 2024.lav" "$log" "$code" \
    "$cli cerca $code --cartella=$work/cartella"

# The fixed start-up every command pays, beside a program that does nothing.
echo
echo "== avvio"
hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --export-csv "$work/start.csv" \
    "true" "$cli --help" >/dev/null 2>&1
for cmd in "true" "$cli --help"; do
    printf '  %-24s %6s ms   (processore %s ms)\n' "${cmd#"$build/bin/"}" \
        "$(column "$work/start.csv" "$cmd" median)" "$(cpu_ms "$work/start.csv" "$cmd")"
done

if [[ -x $screens ]]; then
    echo
    echo "== schermate (offscreen, dal comando all'elenco pieno, tempo reale)"
    QT_QPA_PLATFORM=offscreen "$screens" "$log" "$workers" "$runs" 2>/dev/null
fi
