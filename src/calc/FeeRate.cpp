#include "FeeRate.h"

#include "CalculationSheet.h"

namespace zolvaric {

std::optional<double> fixedRatePercent(int rateIndex)
{
    switch (rateIndex) {
    case 0:
        return 100;
    case 1:
        return 75;
    case 2:
        return 50;
    case 3:
        return 25;
    case kFreeRateIndex:
        return std::nullopt;
    default:
        return 0;
    }
}

std::optional<QString> rateLimitWarning(const WorkScope &scope, double rate)
{
    const QString &edition = scope.edition;
    // HOAI 2013 and 2009 § 7 Abs. 1: the agreement lies within the Mindest-
    // und Höchstsätze (below or above only in the cases of Abs. 3 and 4);
    // the 2002 edition is treated alike. Since 2021 the span is an orientation
    // only (HOAI 2021 § 2a).
    static const QStringList bindingEditions = {QStringLiteral("2013"), QStringLiteral("2009"),
                                                QStringLiteral("2002")};
    if (!bindingEditions.contains(edition) || (rate >= 0 && rate <= 100) ||
        (scope.tableEdition == 2013 && scope.annex))
        return std::nullopt;
    return QStringLiteral(
               "Der Honorarsatz liegt außerhalb der Mindest- und Höchstsätze der HOAI %1.")
        .arg(edition);
}

QString outsideTableConsequence(const WorkScope &scope)
{
    if (scope.edition == QLatin1String("2021"))
        return QStringLiteral("Das Honorar richtet sich nach der Vereinbarung, die die "
                              "Vertragsparteien in Textform treffen (§ 7 Abs. 1 HOAI 2021).");
    if (scope.edition == QLatin1String("2013") && scope.annex)
        return QStringLiteral("Das Honorar ist frei zu vereinbaren; die Honorare der Anlage 1 "
                              "sind nicht verbindlich geregelt (§ 3 Abs. 1 Satz 2 HOAI 2013).");
    if (scope.edition == QLatin1String("2013") || scope.edition == QLatin1String("2009"))
        return QStringLiteral("Das Honorar ist frei zu vereinbaren (§ 7 Abs. 2 HOAI %1).")
            .arg(scope.edition);
    return QStringLiteral("Das Honorar ist frei zu vereinbaren.");
}

QString rateText(const CalculationSheet &sheet)
{
    if (sheet.comboHonorarsatz.index() != kFreeRateIndex)
        return sheet.comboHonorarsatz.currentText();
    return QStringLiteral("%1 (%2 der Spanne)")
        .arg(sheet.comboHonorarsatz.currentText(),
             NumberFormat::percentInText().format(sheet.edHonorarsatzProz.value(),
                                                  sheet.settings()));
}

} // namespace zolvaric
