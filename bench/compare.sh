#!/usr/bin/env bash
# Whole-process timings of veltaro-cli against reading the same archive once (cat) and
# against grep looking for a word in it. Run after the build:
#
#   bench/compare.sh [BUILD_DIR]        (default: build beside this folder)
#
# Environment: RUNS (default 20) and WARMUP (default 3) for hyperfine.
# Medians are compared; the aim is at most twice cat and less than grep.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli=$build/bin/veltaro-cli
gen=$build/bench/veltaro-gen
runs=${RUNS:-20}
warmup=${WARMUP:-3}

for tool in "$cli" "$gen"; do
    [[ -x $tool ]] || { echo "manca $tool: compilare prima (cmake --build $build)" >&2; exit 2; }
done

if ! command -v hyperfine >/dev/null; then
    sudo=
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get install -y hyperfine
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

log=$work/2024.lav
workers=$work/Dipendenti.pro
"$gen" lavori 50000 "$log" --seme 1
"$gen" lavoratori 20000 "$workers" --seme 1

# The word for the worker archive is a surname; for the year log, the codice fiscale of a
# worker who appears in it, so the one-worker summary and grep look for the same text.
surname=rossi
"$cli" riepilogo "$log" --dal=01/01/2024 --al=31/12/2024 >"$work/year.txt"
code=$(grep -o -m1 'C\.F\. [A-Z0-9]\{16\}' "$work/year.txt" | cut -c6-)
[[ -n $code ]] || { echo "nessun codice fiscale nel registro generato" >&2; exit 2; }

# median_ms CSV COMMAND: the median of one command from a hyperfine CSV export, in ms.
median_ms() {
    awk -F, -v cmd="$2" 'NR > 1 {
        c = $1; gsub(/^"|"$/, "", c)
        if (c == cmd) printf "%.1f", $4 * 1000
    }' "$1"
}

# measure NAME FILE WORD CLI_COMMAND...: cat and the commands with their output thrown
# away, then grep and the same commands writing into a pipe. GNU grep stops at the first
# match when its output is /dev/null, so grep never writes there.
measure() {
    local name=$1 file=$2 word=$3
    shift 3
    local cat_cmd="cat $file" grep_cmd="grep -a -c -i $word $file"
    echo
    echo "== $name: $(du -m "$file" | cut -f1) MB, parola \"$word\""
    hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --output=null \
        --export-csv "$work/null.csv" "$cat_cmd" "$@" >/dev/null
    hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --output=pipe \
        --export-csv "$work/pipe.csv" "$grep_cmd" "$@" >/dev/null
    local cat_ms grep_ms
    cat_ms=$(median_ms "$work/null.csv" "$cat_cmd")
    grep_ms=$(median_ms "$work/pipe.csv" "$grep_cmd")
    printf '  %-14s %8s ms\n' "cat" "$cat_ms" "grep -a -c -i" "$grep_ms"
    local cmd
    for cmd in "$@"; do
        local quiet piped
        quiet=$(median_ms "$work/null.csv" "$cmd")
        piped=$(median_ms "$work/pipe.csv" "$cmd")
        echo "  ${cmd#"$cli "}"
        awk -v q="$quiet" -v p="$piped" -v c="$cat_ms" -v g="$grep_ms" 'BEGIN {
            printf "    %.1f ms (in una pipe %.1f ms)   /cat %.2f %s   /grep %.2f %s\n",
                q, p, q / c, (q <= 2 * c ? "ok" : "OLTRE 2x"), p / g, (p < g ? "ok" : "NON piu veloce")
        }'
    done
}

measure "Dipendenti.pro, 20000 schede" "$workers" "$surname" \
    "$cli trova $workers --Cognome=$surname"
measure "2024.lav, 50000 schede" "$log" "$code" \
    "$cli riepilogo $log --dal=01/01/2024 --al=31/12/2024" \
    "$cli riepilogo $log --dal=01/01/2024 --al=31/12/2024 --cf=$code" \
    "$cli trova $log --CodFisc=$code" \
    "$cli incompleti $log"
