#!/usr/bin/env bash
# All benchmarks in one table, with the targets they are held to.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/default/bin
if [ "${1:-}" != "--startup-times" ]; then
    scripts/install-deps.sh valgrind xvfb xauth >/dev/null
    scripts/build.sh >/dev/null
fi
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
# Offscreen, unless the script calls itself for timings on an X server.
[ "${1:-}" = "--startup-times" ] || export QT_QPA_PLATFORM=offscreen

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

# Start-up of the window, of a bare Qt window and of a bare window with one
# text, on the platform QT_QPA_PLATFORM names.
startup_times() {
    echo "$(startup_ms "$bin/zolvaric-bench-window" --startup)" \
        "$(startup_ms "$bin/zolvaric-bench-window" --startup --bare)" \
        "$(startup_ms "$bin/zolvaric-bench-window" --startup --bare-text)"
}
if [ "${1:-}" = "--startup-times" ]; then
    startup_times
    exit 0
fi

recalc_ns=$(gbench zolvaric-bench-calc BM_RecalculateAfterCostsChange)
out=$(mktemp)
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='*recalculateOnce*' \
    "$bin/zolvaric-bench-calc" --callgrind-runs 1000 >/dev/null 2>&1
instructions=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print int($1 / 1001) }')
rm -f "$out"
keystroke=$(gbench zolvaric-bench-window BM_KeystrokeToResults)
bare_keystroke=$(gbench zolvaric-bench-window BM_KeystrokeBareLineEdit)
read -r window_ms bare_ms bare_text_ms <<<"$(startup_times)"
# The same on an X server (Xvfb), as on a desktop.
read -r x_window_ms x_bare_ms x_bare_text_ms <<<"$(QT_QPA_PLATFORM=xcb xvfb-run -a \
    -s "-screen 0 1280x1024x24" "$0" --startup-times)"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
save=$(gbench zolvaric-bench-project BM_ProjectSave)
load=$(gbench zolvaric-bench-project BM_ProjectLoad)
load10k=$(gbench zolvaric-bench-project 'BM_ProjectLoadSections/10000')
html100=$(gbench zolvaric-bench-report 'BM_HtmlReport/102400')
html1m=$(gbench zolvaric-bench-report 'BM_HtmlReport/1048576')
word=$(gbench zolvaric-bench-report BM_WordReport)
nested=$(gbench zolvaric-bench-report BM_PdfReportNestedTemplate)

printf '%-44s %-22s %s\n' "Messung" "Ergebnis" "Ziel"
printf '%-44s %-22s %s\n' "Neuberechnung (Zeit)" "$recalc_ns" ""
printf '%-44s %-22s %s\n' "Neuberechnung (Instruktionen, callgrind)" "$instructions" "< 12000"
printf '%-44s %-22s %s\n' "Tastendruck bis Ergebnisse" "$keystroke" "< 5 ms"
printf '%-44s %-22s %s\n' "  dasselbe in einem leeren Qt-Eingabefeld" "$bare_keystroke" ""
startup_rows() { # title window bare bare-text
    printf '%-44s %-22s %s\n' "$1" "$2 ms" ""
    printf '%-44s %-22s %s\n' "  leeres Qt-Fenster" "$3 ms" ""
    printf '%-44s %-22s %s\n' "  Verhältnis" "$(ratio "$2" "$3")" "< 1.5"
    printf '%-44s %-22s %s\n' "  leeres Qt-Fenster mit einem Text" "$4 ms" ""
    printf '%-44s %-22s %s\n' "  Verhältnis" "$(ratio "$2" "$4")" ""
}
startup_rows "Start bis erstes Fenster (offscreen)" "$window_ms" "$bare_ms" "$bare_text_ms"
startup_rows "Start bis erstes Fenster (X-Server, Xvfb)" "$x_window_ms" "$x_bare_ms" "$x_bare_text_ms"
printf '%-44s %-22s %s\n' "Projekt speichern" "$save" ""
printf '%-44s %-22s %s\n' "Projekt laden" "$load" ""
printf '%-44s %-22s %s\n' "Projekt laden, 10.000 Teilhonorare" "$load10k" "< 1 s"
printf '%-44s %-22s %s\n' "HTML-Bericht, 100 KB Vorlage" "$html100" "< 5 ms"
printf '%-44s %-22s %s\n' "HTML-Bericht, 1 MB Vorlage" "$html1m" ""
printf '%-44s %-22s %s\n' "Word-Bericht, Standardvorlage" "$word" ""
printf '%-44s %-22s %s\n' "PDF, Tabellen 20-fach geschachtelt" "$nested" "< 1 s"
