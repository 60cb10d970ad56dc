#include "CalcCommand.h"
#include "ReportCommand.h"

#include "base/Platform.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    zolvaric::platform::makeStandardOutputBinary();
    QCoreApplication::setApplicationName(QStringLiteral("Zolvaric"));

    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("calc"))
        return zolvaric::runCalcCommand(arguments);
    if (command == QLatin1String("report"))
        return zolvaric::runReportCommand(arguments);

    QTextStream err(stderr);
    if (command.isEmpty() || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        QTextStream(stdout)
            << "Aufruf: zolvaric-cli BEFEHL [OPTIONEN]\n\nBefehle:\n"
               "  calc    berechnet ein Honorar (zolvaric-cli calc --help)\n"
               "  report  schreibt ein Honorarangebot (zolvaric-cli report --help)\n";
        return command.isEmpty() ? 2 : 0;
    }
    err << "Unbekannter Befehl: " << command << Qt::endl;
    return 2;
}
