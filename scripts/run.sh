#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on the worked example
# (2013, Gebäude, Honorarzone 3, Mittelsatz, 120.000 € eligible costs).
# Further options are passed on to zolvaric-cli calc.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
exec build/default/bin/zolvaric-cli calc \
    --set HOAI_nach=1 --set Honorarzone=2 --set Honorarsatz=2 \
    --set Anrechenbare_Kosten=120000 \
    --set LP1=2 --set LP2=7 --set LP3=15 --set LP4=3 --set LP5=25 \
    --set LP6=10 --set LP7=4 --set LP8=32 --set LP9=2 \
    --set Zeithonorar=1000 --set Besondere_Leistung=500 \
    --set Zuschlag_Umbau=20 --set Nebenkosten=5 --set MwSt=19 \
    "$@"
