#!/usr/bin/env bash
# Tries the Windows setup program under Wine, in a Wine prefix of its own: silent
# installation, the installed programs, Start-menu entry, .prj association and the
# entry under installed programs, then the silent uninstallation.
# Usage: test-setup.sh build/windows/zolvaric-setup-VERSION.exe
set -euo pipefail
setup=$(realpath "${1:?Aufruf: test-setup.sh SETUP.exe}")

fail() {
    echo "FEHLER: $*" >&2
    exit 1
}

work=$(mktemp -d)
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1

program="$WINEPREFIX/drive_c/Program Files/Zolvaric"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zolvaric'
registry() { # key [value]: the data, or nothing when absent
    wine reg query "$1" ${2:+/v "$2"} 2>/dev/null | tr -d '\r' |
        awk -v v="${2:-(Default)}" '$1 == v { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print }'
}

echo "== Installation (still)"
# .prj belonged to another program before: it gets it back at the end.
wine reg add 'HKLM\Software\Classes\.prj' /ve /d Fremd.Datei /f >/dev/null
wine "$setup" /S
wineserver -w
for file in zolvaric.exe zolvaric-cli.exe Deinstallieren.exe Qt6Core.dll Qt6Widgets.dll \
            libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll libzip.dll \
            libpugixml.dll platforms/qwindows.dll imageformats/qjpeg.dll qt.conf \
            translations/qtbase_de.qm Zolvaric_Vorlage.htm Zolvaric_Vorlage.dot \
            Lizenzen/LIESMICH.txt Lizenzen/Qt.txt Lizenzen/LGPL-3.txt; do
    [ -f "$program/$file" ] || fail "$file fehlt im Programmordner"
done
[ ! -e "$program/Qt6Test.dll" ] || fail "Qt6Test.dll gehört nicht in die Installation"
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zolvaric.lnk" ] ||
    fail "Startmenü-Eintrag fehlt"
[ "$(registry 'HKLM\Software\Classes\.prj')" = Zolvaric.Projekt ] || fail ".prj gehört nicht Zolvaric"
command=$(registry 'HKLM\Software\Classes\Zolvaric.Projekt\shell\open\command')
[ "$command" = '"C:\Program Files\Zolvaric\zolvaric.exe" "%1"' ] ||
    fail "Öffnen-Befehl für .prj: $command"
[ -n "$(registry "$uninstall_key" DisplayVersion)" ] || fail "kein Eintrag unter den installierten Programmen"
echo "installiert: $(registry "$uninstall_key" DisplayName)"

echo "== Installierte Programme"
cli='C:\Program Files\Zolvaric\zolvaric-cli.exe'
json=$(wine "$cli" calc --json --set Anrechenbare_Kosten=120000 --set Honorarzone=2 | tr -d '\r')
grep -Eq '"Grundhonorar": *[1-9]' <<<"$json" || fail "zolvaric-cli calc --json ohne Grundhonorar: $json"
echo "zolvaric-cli calc --json: $(grep -Eo '"Grundhonorar": *[0-9.]+' <<<"$json")"
wine "$cli" report html --output 'C:\bericht.htm'
[ -s "$WINEPREFIX/drive_c/bericht.htm" ] || fail "kein Bericht aus der installierten Vorlage"
echo "Bericht aus der installierten Vorlage: $(wc -c <"$WINEPREFIX/drive_c/bericht.htm") Bytes"
WINEQT_QPA_PLATFORM=offscreen wine 'C:\Program Files\Zolvaric\zolvaric.exe' &
window=$!
sleep 8
kill -0 "$window" 2>/dev/null || fail "zolvaric.exe lief keine 8 Sekunden"
echo "zolvaric.exe läuft"

echo "== Aktualisierung, während Zolvaric läuft (still)"
# The running program keeps its files: the setup waits, then gives up (2).
status=0
wine "$setup" /S || status=$?
[ "$status" -eq 2 ] || fail "das Setup lief trotz laufendem Programm durch (Status $status statt 2)"
kill -0 "$window" 2>/dev/null || fail "zolvaric.exe endete während des Setups"
echo "Setup gab auf, solange Zolvaric lief (Status 2)"
wineserver -k 2>/dev/null || true
wait "$window" 2>/dev/null || true
wine "$setup" /S
wineserver -w
[ -f "$program/zolvaric.exe" ] || fail "zolvaric.exe fehlt nach der Aktualisierung"
echo "nach dem Ende des Programms aktualisiert"

echo "== Deinstallation (still)"
# The office's own table stays, and with it the folder.
mkdir -p "$program/HOAI2013"
echo eigene >"$program/HOAI2013/35_gebaeude_innenraeume.csv"
wine "$program/Deinstallieren.exe" /S
# The uninstaller works on from a copy of itself in the temp folder.
wineserver -w
left=$(cd "$program" && find . -type f | sort)
[ "$left" = "./HOAI2013/35_gebaeude_innenraeume.csv" ] || fail "nach der Deinstallation übrig: $left"
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zolvaric.lnk" ] ||
    fail "Startmenü-Eintrag ist noch da"
[ -z "$(registry "$uninstall_key" DisplayName)" ] || fail "Eintrag unter den installierten Programmen ist noch da"
[ -z "$(registry 'HKLM\Software\Classes\Zolvaric.Projekt')" ] || fail "Zolvaric.Projekt ist noch registriert"
[ "$(registry 'HKLM\Software\Classes\.prj')" = Fremd.Datei ] || fail ".prj hat seinen alten Besitzer nicht zurück"
echo "vollständig entfernt; eigene Tafel und Ordner blieben"
echo "test-setup: alles in Ordnung"
