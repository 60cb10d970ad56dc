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
