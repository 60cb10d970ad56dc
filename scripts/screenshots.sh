#!/usr/bin/env bash
# Pictures of the window (three tabs with the worked example, an offer and its
# print preview, points dialogs, the notes of the law's limits, info dialog,
# wait window) as PNG files into the folder given; under xvfb-run when there is
# no display.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:?Aufruf: scripts/screenshots.sh ORDNER}"
scripts/install-deps.sh xvfb xauth
scripts/build.sh >/dev/null
folder="$(realpath -m "$folder")"
if [ -n "${DISPLAY:-}" ]; then
    build/default/bin/zolvaric-screenshots "$folder"
else
    xvfb-run -a -s "-screen 0 1280x1200x24" build/default/bin/zolvaric-screenshots "$folder"
fi
ls "$folder"
