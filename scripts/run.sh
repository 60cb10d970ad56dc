#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program's window. Without
# a display it says how to start it under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY ist leer). Starten Sie das Programm unter einem"
    echo "virtuellen Bildschirm:  apt-get install xvfb xauth && xvfb-run -a scripts/run.sh"
    echo "Die Berechnung ohne Fenster:  build/default/bin/zolvaric-cli calc --help"
    exit 1
fi
exec build/default/bin/zolvaric "$@"
