#pragma once

#include "WorkScope.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace zolvaric {

struct PointCriterion
{
    QString text; // the law's wording of the Bewertungsmerkmal
    int maximum;
    int minimum = 0; // 1 where the law scores from 1 (§§ 20, 21)
};

// The evaluation points of one kind of work: when criteria of several zones
// apply and the zone is in doubt, each criterion is scored and the sum
// decides the zone (e.g. HOAI 2021 § 35 Abs. 4 to 6). Read from
// rules/bewertungspunkte.json.
struct PointSystem
{
    RuleScope scope;
    QString reference; // without the edition: "§ 35 Abs. 2, 4 und 6"
    QString rule;      // the law's sentence that points decide in case of doubt
    std::vector<PointCriterion> criteria;
    std::vector<int> zoneUpper; // the highest sum of each zone, from zone 1

    // The zone (from 1) of a sum between 0 and the highest sum of the last zone.
    int zoneOf(int sum) const;
    // The lowest and highest sum of a zone (from 1); zone 1 from the sum of
    // the criteria's fewest points.
    std::pair<int, int> zoneRange(int zone) const;
};

const std::vector<PointSystem> &pointSystems();
// The point system of the kind of work; null for kinds without one.
const PointSystem *pointSystemFor(const WorkScope &scope);
// Why a kind of work has no points, as the disabled button's hint says it.
QString noPointSystemHint(const WorkScope &scope);

// A stored point list, "2;5;5;3;3;3"; empty text means none. Throws
// InputError for a part that is no integer.
QList<int> parsePoints(const QString &text);
QString pointsText(const QList<int> &points);
int pointSum(const QList<int> &points);
// Throws InputError when the kind of work has no points, or the list has
// another length than its criteria or a value outside 0 to the maximum.
void checkPoints(const WorkScope &scope, const QList<int> &points);

} // namespace zolvaric
