#include "MasterData.h"

#include "IniAccess.h"

#include "base/Desktop.h"
#include "base/TextLines.h"
#include "calc/CalculationSheet.h"

#include <QCoreApplication>

#include <array>

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("Stammdaten");

// The keys in the order of CalculationSheet::masterDataFields.
constexpr std::array<const char *, 9> kKeys = {"Firma",   "Zusatz", "Strasse", "PLZ",     "Ort",
                                               "Telefon", "Fax",    "Email",   "Internet"};

// The keys of the office's letter data, in the order of
// CalculationSheet::officeDataFields; written only when set, so that the
// settings of an office that uses none of them keep their bytes.
constexpr std::array<const char *, 12> kOfficeKeys = {"Steuernummer",
                                                      "UStIdNr",
                                                      "IBAN",
                                                      "BIC",
                                                      "Bank",
                                                      "Kammer",
                                                      "Ansprechpartner",
                                                      "Unterzeichner",
                                                      "Unterzeichner_Funktion",
                                                      "Logo",
                                                      "Angebot_Gueltigkeit_Wochen",
                                                      "Zahlungsbedingungen"};
// The one office text of several lines.
constexpr std::size_t kPaymentTermsKey = 11;

} // namespace

QString LoadStammdaten(CalculationSheet &sheet, const QString &settingsFile)
{
    const IniReader file(settingsFile);
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        sheet.masterDataFields[i]->setText(
            file.string(kSection, QLatin1String(kKeys[i]), QString()));
    for (std::size_t i = 0; i < kOfficeKeys.size(); ++i) {
        const QString value = file.string(kSection, QLatin1String(kOfficeKeys[i]), QString());
        sheet.officeDataFields[i]->setText(i == kPaymentTermsKey ? linesOfOneLineText(value)
                                                                 : value);
    }
    return file.error();
}

WriteResult SaveStammdaten(const CalculationSheet &sheet, const QString &settingsFile)
{
    IniEntries entries;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        entries.append({QLatin1String(kKeys[i]), sheet.masterDataFields[i]->text()});
    QStringList removed;
    for (std::size_t i = 0; i < kOfficeKeys.size(); ++i) {
        const QString &text = sheet.officeDataFields[i]->text();
        if (text.isEmpty())
            removed << QLatin1String(kOfficeKeys[i]);
        else
            entries.append(
                {QLatin1String(kOfficeKeys[i]), i == kPaymentTermsKey ? oneLineText(text) : text});
    }
    return WriteIniStrings(settingsFile, kSection, entries, removed);
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
