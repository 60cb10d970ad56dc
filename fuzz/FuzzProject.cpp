// Project files as they arrive: any file loads completely or is refused with
// nothing changed.
#include "base/Desktop.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace zolvaric;

namespace {

class QuietDesktop : public Desktop
{
public:
    void errorBox(const QString &) override { ++errors; }
    void messageBox(const QString &) override {}
    void NotifyBox(const QString &, const QString &) override {}
    int AskBox(const QString &, const QString &, int) override { return AnswerNo; }
    int ShellOpen(const QString &, const QString &, const QString &, int) override { return 0; }
    QString clipboardText() override { return QString(); }
    int errors = 0;
};

struct Session
{
    RegionalSettings settings = RegionalSettings::german();
    QTemporaryDir folder;
    ProgramRun run;
    QuietDesktop desktop;
    std::unique_ptr<Calculation> calculation;
    std::unique_ptr<Offer> offer;

    Session()
    {
        run.programDir = folder.path() + QLatin1Char('/');
        calculation = std::make_unique<Calculation>(settings, run, desktop);
        calculation->startUp();
        offer = std::make_unique<Offer>(*calculation);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Session session;
    const QString file = session.folder.filePath(QStringLiteral("fuzz.prj"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    out.write(reinterpret_cast<const char *>(data), qint64(size));
    out.close();

    session.run.projectFile = QStringLiteral("vorher.prj");
    Offer &offer = *session.offer;
    const double before = offer.totals().gross;
    const int count = offer.count();
    const int errors = session.desktop.errors;
    const bool loaded = LoadProject(offer, session.run, session.desktop, file);
    if (loaded != (session.desktop.errors == errors))
        std::abort();
    // All or nothing: a refused file leaves the offer as it was.
    if (!loaded && (session.run.projectFile != QStringLiteral("vorher.prj") ||
                    offer.totals().gross != before || offer.count() != count))
        std::abort();
    // What was loaded saves and loads again alike, every calculation with
    // every input, its texts too.
    if (loaded) {
        const QString copy = session.folder.filePath(QStringLiteral("kopie.prj"));
        QFile::remove(copy);
        if (!SaveProject(offer, session.run, session.desktop, copy))
            std::abort();
        const double gross = offer.totals().gross;
        const int loadedCount = offer.count();
        QList<QMap<QString, QString>> inputs;
        for (int i = 0; i < loadedCount; ++i)
            inputs << offer.inputs(i);
        if (!LoadProject(offer, session.run, session.desktop, copy) ||
            offer.totals().gross != gross || offer.count() != loadedCount)
            std::abort();
        for (int i = 0; i < loadedCount; ++i) {
            if (offer.inputs(i) != inputs[i])
                std::abort();
        }
    }
    return 0;
}
