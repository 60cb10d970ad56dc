#!/usr/bin/env bash
# All benchmarks in one table, with the targets they are held to.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh valgrind xvfb xauth >/dev/null
scripts/build.sh >/dev/null
bin=build/default/bin
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen

# Median real time of a Google Benchmark row, with its unit.
gbench() { # program filter
    "$bin/$1" --benchmark_filter="$2" --benchmark_min_time=0.5 --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true 2>/dev/null |
        awk -v f="$2_median" '$1 ~ f { print $2 " " $3; exit }'
}

# Median wall time in milliseconds of a whole process over 11 runs.
startup_ms() {
    local times=()
    for _ in $(seq 11); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[6] / 1000 }'
}

recalc_ns=$(gbench zolvaric-bench-calc BM_RecalculateAfterCostsChange)
out=$(mktemp)
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='*recalculateOnce*' \
    "$bin/zolvaric-bench-calc" --callgrind-runs 1000 >/dev/null 2>&1
instructions=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print int($1 / 1001) }')
rm -f "$out"
keystroke=$(gbench zolvaric-bench-window BM_KeystrokeToResults)
bare_keystroke=$(gbench zolvaric-bench-window BM_KeystrokeBareLineEdit)
window_ms=$(startup_ms "$bin/zolvaric-bench-window" --startup)
bare_ms=$(startup_ms "$bin/zolvaric-bench-window" --startup --bare)
bare_text_ms=$(startup_ms "$bin/zolvaric-bench-window" --startup --bare-text)
ratio=$(awk -v a="$window_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", a / b }')
ratio_text=$(awk -v a="$window_ms" -v b="$bare_text_ms" 'BEGIN { printf "%.2f", a / b }')
save=$(gbench zolvaric-bench-project BM_ProjectSave)
load=$(gbench zolvaric-bench-project BM_ProjectLoad)
html100=$(gbench zolvaric-bench-report 'BM_HtmlReport/102400')
html1m=$(gbench zolvaric-bench-report 'BM_HtmlReport/1048576')
word=$(gbench zolvaric-bench-report BM_WordReport)

printf '%-44s %-22s %s\n' "Messung" "Ergebnis" "Ziel"
printf '%-44s %-22s %s\n' "Neuberechnung (Zeit)" "$recalc_ns" ""
printf '%-44s %-22s %s\n' "Neuberechnung (Instruktionen, callgrind)" "$instructions" "< 25000"
printf '%-44s %-22s %s\n' "Tastendruck bis Ergebnisse" "$keystroke" "< 5 ms"
printf '%-44s %-22s %s\n' "  dasselbe in einem leeren Qt-Eingabefeld" "$bare_keystroke" ""
printf '%-44s %-22s %s\n' "Start bis erstes Fenster" "$window_ms ms" ""
printf '%-44s %-22s %s\n' "  leeres Qt-Fenster" "$bare_ms ms" ""
printf '%-44s %-22s %s\n' "  Verhältnis" "$ratio" "< 1.5"
printf '%-44s %-22s %s\n' "  leeres Qt-Fenster mit einem Text" "$bare_text_ms ms" ""
printf '%-44s %-22s %s\n' "  Verhältnis" "$ratio_text" ""
printf '%-44s %-22s %s\n' "Projekt speichern" "$save" ""
printf '%-44s %-22s %s\n' "Projekt laden" "$load" ""
printf '%-44s %-22s %s\n' "HTML-Bericht, 100 KB Vorlage" "$html100" "< 5 ms"
printf '%-44s %-22s %s\n' "HTML-Bericht, 1 MB Vorlage" "$html1m" ""
printf '%-44s %-22s %s\n' "Word-Bericht, Standardvorlage" "$word" ""
