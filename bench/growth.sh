#!/usr/bin/env bash
# How whole-archive work grows with the archive: the whole-year pay summary on the command
# line and on the screen (offscreen), on year logs of 50 000 and 500 000 cards (or the sizes
# given), with the time per card and the peak memory per listed line. Run after the build:
#
#   bench/growth.sh [BUILD_DIR] [CARDS...]     (default: build beside this folder, 50000 500000)
#
# Environment: RUNS (default 5), rounds of cat and the summary in turn (bench/interleaved). The 500 000-card log takes 1.4 GB in a
# temporary folder.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
shift || true
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(50000 500000)
cli=$build/bin/veltaro-cli
gen=$build/bench/veltaro-gen
screens=$build/bench/screen_bench
timer=$build/bench/interleaved
runs=${RUNS:-5}

for tool in "$cli" "$gen" "$screens" "$timer"; do
    [[ -x $tool ]] || { echo "manca $tool: compilare prima (cmake --build $build)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# peak_kb COMMAND...: the peak resident set of a command, in kB.
peak_kb() {
    /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1
}

printf '%-9s %-22s %10s %12s %10s %14s\n' schede comando "ms" "us/scheda" "MB picco" "byte/riga"
for cards in "${sizes[@]}"; do
    log=$work/2024.lav
    "$gen" lavori "$cards" "$log" --seme 1 >/dev/null
    summary=("$cli" riepilogo "$log" --dal=01/01/2024 --al=31/12/2024)
    lines=$("${summary[@]}" | wc -l)
    "$timer" "$runs" 1 null "cat $log" "${summary[*]}" >"$work/t.tsv"
    for what in cat riepilogo; do
        if [[ $what == cat ]]; then cmd="cat $log"; kb=$(peak_kb cat "$log"); else cmd="${summary[*]}"; kb=$(peak_kb "${summary[@]}"); fi
        ms=$(awk -F'\t' -v c="$cmd" '$1 == c { print $2 }' "$work/t.tsv")
        awk -v n="$cards" -v w="$what" -v ms="$ms" -v kb="$kb" -v l="$lines" 'BEGIN {
            printf "%-9d %-22s %10.1f %12.3f %10.1f %14s\n", n, w, ms, ms * 1000 / n, kb / 1024,
                (w == "cat" ? "" : sprintf("%.0f", kb * 1024 / l)) }'
    done
    # The screen: the view made, shown and its list filled, once, in a process of its own.
    start=$(date +%s%N)
    kb=$(QT_QPA_PLATFORM=offscreen peak_kb "$screens" --riepilogo "$log")
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    awk -v n="$cards" -v ms="$ms" -v kb="$kb" -v l="$lines" 'BEGIN {
        printf "%-9d %-22s %10.1f %12.3f %10.1f %14.0f   (processo intero)\n", n, "schermata riepilogo", ms, ms * 1000 / n, kb / 1024, kb * 1024 / l }'
    rm -f "$log"
done
