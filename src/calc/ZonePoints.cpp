#include "ZonePoints.h"

#include "ProjectInputs.h"

#include "base/NumberText.h"

#include <QJsonArray>

#include <numeric>

namespace zolvaric {

namespace {

std::vector<PointSystem> readPointSystems()
{
    std::vector<PointSystem> systems;
    for (const QJsonValue entry :
         ruleFile("bewertungspunkte").value(QLatin1String("systems")).toArray()) {
        const QJsonObject rule = entry.toObject();
        PointSystem system{RuleScope::read(rule),
                           rule.value(QLatin1String("reference")).toString(),
                           rule.value(QLatin1String("rule")).toString(),
                           {},
                           {}};
        for (const QJsonValue criterion : rule.value(QLatin1String("criteria")).toArray()) {
            const QJsonArray pair = criterion.toArray();
            system.criteria.push_back(
                {pair.at(0).toString(), pair.at(1).toInt(), pair.at(2).toInt(0)});
        }
        for (const QJsonValue upper : rule.value(QLatin1String("zones")).toArray())
            system.zoneUpper.push_back(upper.toInt());
        systems.push_back(std::move(system));
    }
    return systems;
}

} // namespace

int PointSystem::zoneOf(int sum) const
{
    int zone = 1;
    while (zone < static_cast<int>(zoneUpper.size()) && sum > zoneUpper[zone - 1])
        ++zone;
    return zone;
}

std::pair<int, int> PointSystem::zoneRange(int zone) const
{
    int fewest = 0; // zone 1 starts at the fewest points the criteria allow
    for (const PointCriterion &criterion : criteria)
        fewest += criterion.minimum;
    const int lowest = zone == 1 ? fewest : zoneUpper[zone - 2] + 1;
    return {lowest, zoneUpper[zone - 1]};
}

const std::vector<PointSystem> &pointSystems()
{
    static const std::vector<PointSystem> systems = readPointSystems();
    return systems;
}

const PointSystem *pointSystemFor(const WorkScope &scope)
{
    return findRule(pointSystems(), scope);
}

QString noPointSystemHint(const WorkScope &scope)
{
    return QStringLiteral("Für %1 nach HOAI %2 sind keine Bewertungspunkte hinterlegt; die "
                          "Honorarzone wird nach den Bewertungsmerkmalen gewählt.")
        .arg(scope.kind, scope.edition);
}

QList<int> parsePoints(const QString &text)
{
    QList<int> points;
    if (text.trimmed().isEmpty())
        return points;
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const auto value = tryParseInt(part.trimmed());
        if (!value)
            throw InputError(
                QStringLiteral("'%1' ist kein gültiger Integerwert").arg(quotedValue(part)));
        points << *value;
    }
    return points;
}

QString pointsText(const QList<int> &points)
{
    QStringList parts;
    for (int value : points)
        parts << QString::number(value);
    return parts.join(QLatin1Char(';'));
}

int pointSum(const QList<int> &points)
{
    return std::accumulate(points.begin(), points.end(), 0);
}

void checkPoints(const WorkScope &scope, const QList<int> &points)
{
    const PointSystem *system = pointSystemFor(scope);
    if (!system)
        throw InputError(noPointSystemHint(scope));
    const auto count = static_cast<qsizetype>(system->criteria.size());
    if (points.size() != count) {
        throw InputError(QStringLiteral("Für %1 nach %2 HOAI %3 sind %4 Werte anzugeben, nicht %5.")
                             .arg(scope.kind, system->reference, scope.edition)
                             .arg(count)
                             .arg(points.size()));
    }
    for (qsizetype i = 0; i < count; ++i) {
        const PointCriterion &criterion = system->criteria[static_cast<std::size_t>(i)];
        if (points[i] < criterion.minimum || points[i] > criterion.maximum) {
            throw InputError(QStringLiteral("Der Wert %1 für „%2“ liegt außerhalb von %3 bis %4.")
                                 .arg(points[i])
                                 .arg(criterion.text)
                                 .arg(criterion.minimum)
                                 .arg(criterion.maximum));
        }
    }
}

} // namespace zolvaric
