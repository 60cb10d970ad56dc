#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. LibreOffice
# is installed too: the tests open the written documents with it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libreoffice-writer-nogui
scripts/build.sh
ctest --preset default
