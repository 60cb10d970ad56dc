#include "CalcCommand.h"
#include "ReportCommand.h"

#include "base/Platform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

// The PDF report lays out text and so needs Qt's fonts: a GUI application,
// without a display on Linux (the offscreen platform, unless the caller
// names another). Every other command stays a core application.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    const bool paper =
        argc > 2 && std::strcmp(argv[1], "report") == 0 && std::strcmp(argv[2], "pdf") == 0;
    if (!paper)
        return std::make_unique<QCoreApplication>(argc, argv);
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
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
