#include "ShareLimit.h"

#include "base/NumberFormat.h"

#include <QJsonArray>

#include <vector>

namespace zolvaric {

namespace {

struct Exception
{
    RuleScope scope;
    int phase;
    double most;  // 0: by raise
    double raise; // percent of the phase's own share
    QString reference;
    QString condition;

    double limit(double lawShare) const { return most > 0 ? most : lawShare * (100 + raise) / 100; }
};

const std::vector<Exception> &exceptions()
{
    static const std::vector<Exception> all = [] {
        std::vector<Exception> read;
        for (const QJsonValue entry :
             ruleFile("leistungsanteile").value(QLatin1String("exceptions")).toArray()) {
            const QJsonObject rule = entry.toObject();
            read.push_back({RuleScope::read(rule), rule.value(QLatin1String("phase")).toInt(),
                            rule.value(QLatin1String("most")).toDouble(),
                            rule.value(QLatin1String("raise")).toDouble(),
                            rule.value(QLatin1String("reference")).toString(),
                            rule.value(QLatin1String("condition")).toString()});
        }
        return read;
    }();
    return all;
}

const Exception *exceptionFor(const WorkScope &scope, int phase)
{
    for (const Exception &exception : exceptions()) {
        if (exception.phase == phase && exception.scope.covers(scope))
            return &exception;
    }
    return nullptr;
}

// Shares as the law writes them: 32 %, 22,5 %.
QString lawPercent(double value, const RegionalSettings &settings)
{
    static const NumberFormat format(u"0.## %");
    return format.format(value, settings);
}

} // namespace

std::optional<QString> shareLimitNote(const WorkScope &scope, int phase, const QString &phaseMark,
                                      double offered, double lawShare,
                                      const RegionalSettings &settings)
{
    // Shares are typed with two decimals: a difference below that is none.
    constexpr double kTolerance = 0.0005;
    if (offered <= lawShare + kTolerance)
        return std::nullopt;
    const QString offeredText = NumberFormat::percentInText().format(offered, settings);
    const Exception *exception = lawShare > 0 ? exceptionFor(scope, phase) : nullptr;
    if (!exception) {
        return QStringLiteral("%1: %2 angeboten, das Leistungsbild hat höchstens %3.")
            .arg(phaseMark, offeredText, lawPercent(lawShare, settings));
    }
    const double limit = exception->limit(lawShare);
    const QString allowance = QStringLiteral("bis %1 %2 (%3 HOAI %4)")
                                  .arg(lawPercent(limit, settings), exception->condition,
                                       exception->reference, scope.edition);
    if (offered <= limit + kTolerance) {
        return QStringLiteral("%1: %2 angeboten, mehr als die %3 des Leistungsbilds; vereinbar %4.")
            .arg(phaseMark, offeredText, lawPercent(lawShare, settings), allowance);
    }
    return QStringLiteral("%1: %2 angeboten, das Leistungsbild hat höchstens %3, %4.")
        .arg(phaseMark, offeredText, lawPercent(lawShare, settings), allowance);
}

} // namespace zolvaric
