#include "CalcCommand.h"

#include "CliSession.h"
#include "SheetBreakdown.h"
#include "SheetJson.h"

#include "base/Error.h"
#include "calc/Offer.h"

#include <QJsonDocument>
#include <QTextStream>

namespace zolvaric {

namespace {

// The keys of a project file, for the help text.
QString keyList()
{
    QString keys;
    for (const ProjectKey &key : projectKeys())
        keys += QStringLiteral("  %1\n").arg(QLatin1String(key.key));
    return keys;
}

} // namespace

QString calcUsage()
{
    return QStringLiteral(
               "Aufruf: zolvaric-cli calc [--project DATEI.prj] [--set SCHLÜSSEL=WERT]...\n"
               "                         [--save DATEI.prj] [--json] [--program-dir ORDNER]\n"
               "\n"
               "Berechnet das Honorar ausgehend vom Startzustand des Programms (HOAI 2021,\n"
               "Gebäude, Leistungsanteile laut Tabelle, MwSt. 19 %%), einem geladenen Projekt\n"
               "und den gesetzten Werten. Zahlen dürfen Punkt oder Komma als\n"
               "Dezimaltrennzeichen haben.\n"
               "\n"
               "  --project DATEI       lädt ein Projekt, bevor die Werte gesetzt werden\n"
               "  --set SCHLÜSSEL=WERT  setzt einen Wert wie in einer Projektdatei\n"
               "  --save DATEI          speichert das Projekt nach der Berechnung\n"
               "  --json                gibt alle Felder als JSON-Objekt aus\n"
               "  --program-dir ORDNER  Programmordner (eigene Tabellen, Zolvaric.ini)\n"
               "\n"
               "Ein Angebot aus mehreren Teilhonoraren: --set N:SCHLÜSSEL=WERT setzt den Wert\n"
               "im Teilhonorar N (ab 1); N eins über dem letzten legt ein neues an. Ohne N gilt\n"
               "Teilhonorar 1. Bezeichnung und Wiederholung (0 = keine, § 11) gehören zu jedem.\n"
               "\n"
               "Honorarsatz=5 wählt den frei vereinbarten Satz, Honorarsatz_Prozent seine Lage\n"
               "in der Spanne (0 = Von-Satz, 100 = Bis-Satz). Bewertungspunkte=2;5;5;3;3;3\n"
               "nennt die Punkte je Bewertungsmerkmal in der Reihenfolge der HOAI und wählt\n"
               "die Honorarzone danach; leer gelassen gilt die Honorarzone von Hand.\n"
               "\n"
               "Schlüssel:\n%1")
        .arg(keyList())
        .replace(QLatin1String("%%"), QLatin1String("%"));
}

int runCalcCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << calcUsage();
        return kDone;
    }
    CliOptions options;
    if (const auto error = parseCliOptions(arguments, {}, {QStringLiteral("--json")}, options)) {
        err << *error << Qt::endl;
        return kBadArguments;
    }
    CliSession session;
    if (const ExitCode code = session.prepare(options); code != kDone)
        return code;

    Offer &offer = session.offer();
    try {
        for (int i = 0; i < offer.count(); ++i) {
            offer.select(i);
            const QString where =
                offer.count() == 1 ? QString() : QStringLiteral(" (Teilhonorar %1)").arg(i + 1);
            for (const QString &warning : offer.calculation().warnings())
                err << "Warnung" << where << ": " << warning << Qt::endl;
        }
        if (options.flags.contains(QStringLiteral("--json")))
            out << QJsonDocument(offerToJson(offer)).toJson(QJsonDocument::Indented);
        else
            out << offerBreakdown(offer);
    } catch (const Error &error) {
        session.desktop().errorBox(error.message());
        return kFailed;
    }
    return kDone;
}

} // namespace zolvaric
