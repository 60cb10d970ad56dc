#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing;
# further package names given as arguments are installed as well.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libbenchmark-dev libzip-dev zipcmp zipmerge ziptool
          libpugixml-dev qt6-translations-l10n "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installiere fehlende Pakete: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
