#!/usr/bin/env bash
# The command line tool for Windows, run under Wine, computes byte for byte
# what the Linux one computes: the worked example, 100 generated cases and
# two fee agreements, JSON, exit code and messages.
# Usage: cli-parity.sh LINUX_CLI WINDOWS_CLI
set -uo pipefail
linux_cli=${1:?Aufruf: cli-parity.sh LINUX_CLI WINDOWS_CLI}
windows_cli=${2:?Aufruf: cli-parity.sh LINUX_CLI WINDOWS_CLI}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Neither side may find an office's master data of this machine.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"

cases=("--set HOAI_nach=1 --set Honorarzone=2 --set Honorarsatz=2 --set Anrechenbare_Kosten=120000 --set LP1=2 --set LP2=7 --set LP3=15 --set LP4=3 --set LP5=25 --set LP6=10 --set LP7=4 --set LP8=32 --set LP9=2 --set Zeithonorar=1000 --set Besondere_Leistung=500 --set Zuschlag_Umbau=20 --set Nebenkosten=5 --set MwSt=19")
# Cases drawn from a fixed seed: every edition, kind, zone and rate, costs
# from below the table to above it, with decimals, shares and additions.
RANDOM=2026
kinds=(7 7 5 5) # kinds of work per edition index
for ((n = 0; n < 100; n++)); do
    edition=$((RANDOM % 4))
    scale=(20000 200000 2000000 20000000 40000000)
    costs=$(( RANDOM * ${scale[RANDOM % 5]} / 32768 + 1000 )),$(( RANDOM % 100 ))
    cases+=("--set HOAI_nach=$edition --set Honorarberechnung_fuer=$((RANDOM % kinds[edition])) \
--set Honorarzone=$((RANDOM % 5)) --set Honorarsatz=$((RANDOM % 5)) \
--set Anrechenbare_Kosten=$costs --set LP$((RANDOM % 9 + 1))=$((RANDOM % 40)),$((RANDOM % 100)) \
--set Zeithonorar=$((RANDOM % 5000)).5 --set Zuschlag_Umbau=$((RANDOM % 34)) \
--set Nebenkosten=$((RANDOM % 10)),25 --set MwSt=$((RANDOM % 2 * 3 + 16))")
done
# The fee agreement: a free rate inside and below the span, the zone by
# points, a renovation surcharge above its limit.
cases+=("--set HOAI_nach=1 --set Honorarsatz=5 --set Honorarsatz_Prozent=37,5 \
--set Bewertungspunkte=2;5;5;3;3;3 --set Anrechenbare_Kosten=120000 --set Zuschlag_Umbau=40")
cases+=("--set HOAI_nach=2 --set Honorarsatz=5 --set Honorarsatz_Prozent=-12,75 \
--set Bewertungspunkte=6;6;6;6;9;9 --set Anrechenbare_Kosten=333333,33 --set Zuschlag_Umbau=81")

failures=0
for ((n = 0; n < ${#cases[@]}; n++)); do
    # shellcheck disable=SC2086 # the case is a list of arguments
    "$linux_cli" calc --json ${cases[$n]} >"$work/linux.json" 2>"$work/linux.err"
    linux_code=$?
    # shellcheck disable=SC2086
    # A German Windows user, as the office has and the suites under Wine use.
    LC_ALL=de_DE.UTF-8 wine "$windows_cli" calc --json ${cases[$n]} >"$work/windows.json" 2>"$work/windows.err"
    windows_code=$?
    # Wine's own notes on standard error are not the program's.
    grep -v -E '^[0-9a-f]{4}:(fixme|err|warn):' "$work/windows.err" | tr -d '\r' >"$work/windows.msg"
    if [ "$linux_code" != "$windows_code" ] || ! cmp -s "$work/linux.json" "$work/windows.json" ||
        ! cmp -s "$work/linux.err" "$work/windows.msg"; then
        echo "Fall $n weicht ab (Exit-Code Linux $linux_code, Windows $windows_code): ${cases[$n]}"
        diff "$work/linux.json" "$work/windows.json" | head -5
        diff "$work/linux.err" "$work/windows.msg" | head -5
        failures=$((failures + 1))
    fi
done
echo "${#cases[@]} Fälle, $failures abweichend"
[ "$failures" -eq 0 ]
