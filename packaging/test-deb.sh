#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, tries the
# installed programs, and removes it again. Needs root (installs packages).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lintian xvfb xauth xdg-utils shared-mime-info desktop-file-utils

deb=$(packaging/build-deb.sh)
echo "Paket: $deb"

fail() {
    echo "FEHLER: $*" >&2
    exit 1
}

echo "== lintian"
lintian_out=$(lintian --display-info "$deb" 2>&1 || true)
echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then
    fail "lintian meldet Fehler"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The programs write settings and caches: keep them out of the real home.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
       XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

echo "== Menüeintrag"
desktop-file-validate packaging/de.quorvel.zolvaric.desktop
echo "gültig"

echo "== Installation"
# apt-get wants a path with a slash; a copy where the _apt user may read it
# spares the warning about an unreadable download folder.
cp "$deb" "$work/"
chmod 755 "$work"
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends --reinstall "$work/$(basename "$deb")"

for program in /usr/bin/zolvaric /usr/bin/zolvaric-cli; do
    [ -x "$program" ] || fail "$program fehlt"
done

echo "== Bericht mit der Vorlage aus dem Programmordner"
report="$work/bericht.htm"
(cd "$work" && zolvaric-cli report html --output "$report")
[ -s "$report" ] || fail "zolvaric-cli hat keinen Bericht geschrieben"
echo "geschrieben: $(wc -c <"$report") Bytes"

echo "== Programmfenster unter Xvfb"
status=0
xvfb-run -a timeout 5 zolvaric || status=$?
# Still running when the time is up (124) means it started and did not crash.
[ "$status" -eq 124 ] || fail "zolvaric endete mit Status $status statt durch die Zeitgrenze"
echo "lief 5 Sekunden ohne Absturz"

echo "== MIME-Typ"
[ -f /usr/share/mime/packages/zolvaric-project.xml ] || fail "MIME-Beschreibung fehlt"
printf '[Projektdaten]\r\nHOAI_nach=1\r\n' >"$work/beispiel.prj"
# Without a desktop, xdg-mime asks file(1), which knows nothing of the shared
# MIME database; the database itself shows whether dpkg's trigger took it in.
echo "xdg-mime: $(xdg-mime query filetype "$work/beispiel.prj" 2>/dev/null || echo '(keine Antwort)')"
grep -q '^[0-9]*:application/x-zolvaric-project:\*\.prj' /usr/share/mime/globs2 ||
    fail "MIME-Datenbank kennt *.prj nicht"
echo "MIME-Datenbank: *.prj -> application/x-zolvaric-project"

echo "== Entfernen"
DEBIAN_FRONTEND=noninteractive apt-get remove -y zolvaric
for path in /usr/bin/zolvaric /usr/bin/zolvaric-cli /usr/lib/zolvaric \
            /usr/share/applications/de.quorvel.zolvaric.desktop \
            /usr/share/mime/packages/zolvaric-project.xml \
            /usr/share/icons/hicolor/scalable/apps/zolvaric.svg \
            /usr/share/man/man1/zolvaric.1.gz /usr/share/doc/zolvaric; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path ist nach dem Entfernen noch da"
done
if grep -q 'x-zolvaric-project' /usr/share/mime/globs2; then
    fail "MIME-Datenbank kennt den Typ noch"
fi
echo "Paket vollständig entfernt"
echo "test-deb: alles in Ordnung"
