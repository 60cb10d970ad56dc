#include "MasterData.h"

#include "IniAccess.h"

#include "base/Desktop.h"
#include "calc/CalculationSheet.h"

#include <QCoreApplication>

#include <array>

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("Stammdaten");

// The keys in the order of CalculationSheet::masterDataFields.
constexpr std::array<const char *, 9> kKeys = {"Firma",   "Zusatz", "Strasse", "PLZ",     "Ort",
                                               "Telefon", "Fax",    "Email",   "Internet"};

} // namespace

QString LoadStammdaten(CalculationSheet &sheet, const QString &settingsFile)
{
    const IniReader file(settingsFile);
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        sheet.masterDataFields[i]->setText(
            file.string(kSection, QLatin1String(kKeys[i]), QString()));
    return file.error();
}

WriteResult SaveStammdaten(const CalculationSheet &sheet, const QString &settingsFile)
{
    IniEntries entries;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        entries.append({QLatin1String(kKeys[i]), sheet.masterDataFields[i]->text()});
    return WriteIniStrings(settingsFile, kSection, entries);
}

bool saveStammdatenAtClose(const CalculationSheet &sheet, const QString &settingsFile,
                           Desktop &desktop)
{
    const WriteResult written = SaveStammdaten(sheet, settingsFile);
    if (!written) {
        desktop.NotifyBox(QStringLiteral("Die Stammdaten konnten nicht gespeichert werden: %1")
                              .arg(written.error),
                          QCoreApplication::applicationName());
    }
    return written.ok;
}

} // namespace zolvaric
