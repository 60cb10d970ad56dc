#include "SurchargeLimit.h"

#include "base/NumberFormat.h"

#include <QJsonArray>

#include <vector>

namespace zolvaric {

namespace {

struct Limit
{
    RuleScope scope;
    double percent;
    QString reference;
    QString condition; // e.g. "bei durchschnittlichem Schwierigkeitsgrad"
};

const QJsonObject &limitsFile()
{
    static const QJsonObject file = ruleFile("umbauzuschlag");
    return file;
}

const std::vector<Limit> &limits()
{
    static const std::vector<Limit> all = [] {
        std::vector<Limit> read;
        for (const QJsonValue entry : limitsFile().value(QLatin1String("limits")).toArray()) {
            const QJsonObject rule = entry.toObject();
            read.push_back({RuleScope::read(rule), rule.value(QLatin1String("percent")).toDouble(),
                            rule.value(QLatin1String("reference")).toString(),
                            rule.value(QLatin1String("condition")).toString()});
        }
        return read;
    }();
    return all;
}

} // namespace

std::optional<QString> surchargeLimitNote(const WorkScope &scope, double surcharge,
                                          const RegionalSettings &settings)
{
    if (!hasRenovationSurcharge(scope)) {
        if (surcharge == 0)
            return std::nullopt;
        return QStringLiteral("Der Umbauzuschlag von %1 ist nicht in der HOAI %2 geregelt: %3")
            .arg(NumberFormat::percentInText().format(surcharge, settings), scope.edition,
                 noSurchargeHint(scope));
    }
    const Limit *limit = findRule(limits(), scope);
    if (!limit || surcharge <= limit->percent)
        return std::nullopt;
    QString maximum = QStringLiteral("%1 %").arg(limit->percent);
    if (!limit->condition.isEmpty())
        maximum += QLatin1Char(' ') + limit->condition;
    return QStringLiteral("Der Umbauzuschlag von %1 liegt über dem Höchstwert von %2 (%3 HOAI %4).")
        .arg(NumberFormat::percentInText().format(surcharge, settings), maximum, limit->reference,
             scope.edition);
}

bool hasRenovationSurcharge(const WorkScope &scope)
{
    return !scope.isAreaPlanning();
}

QString noSurchargeHint(const WorkScope &scope)
{
    if (hasRenovationSurcharge(scope))
        return QString();
    const QString parts = scope.edition == QLatin1String("2013")
                              ? QStringLiteral("Teile 3 und 4")
                              : QStringLiteral("Teile 3 und 4 und Anlage 1 Nr. 1.2");
    return QStringLiteral("Die Flächenplanung (%1) hat keinen Umbau- oder "
                          "Modernisierungszuschlag; § 6 Abs. 2 HOAI %2 regelt ihn nur für die %3.")
        .arg(scope.kind, scope.edition, parts);
}

QString surchargeHint(const QString &edition)
{
    QString hint = QStringLiteral("Zuschlag für Umbau und Modernisierung in Prozent des "
                                  "Grundhonorars der angebotenen Leistungen.");
    const QString rule =
        limitsFile().value(QLatin1String("defaults")).toObject().value(edition).toString();
    if (!rule.isEmpty())
        hint += QLatin1Char(' ') + rule;
    return hint;
}

} // namespace zolvaric
