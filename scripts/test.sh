#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. LibreOffice
# and poppler's tools are installed too: the tests open the written documents
# with LibreOffice and read the written PDF files back with pdftotext, pdfinfo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libreoffice-writer-nogui poppler-utils
scripts/build.sh
ctest --preset default
