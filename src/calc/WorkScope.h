#pragma once

#include <QJsonObject>
#include <QString>

#include <vector>

namespace zolvaric {

class TextTable;
struct KindOfWork;

// What the rules beyond the fee table depend on: the edition and the kind of
// work with the paragraph of its fee table.
struct WorkScope
{
    int tableEdition = 0; // 2013 (also for 2021), 2009 or 2002
    QString edition;      // as the edition list names it, e.g. "2021"
    int paragraph = 0;
    QString kind; // as the work-phase table names it, e.g. "Innenräume"
    // A service of Anlage 1, whose fee table the law numbers there.
    bool annex = false;

    // The town and landscape planning of Teil 2 (HOAI 2013/2021 §§ 18 to 32).
    bool isAreaPlanning() const
    {
        return tableEdition == 2013 && paragraph >= 18 && paragraph <= 32;
    }
};

// The scope of column kindIndex + 1 of a work-phase table.
WorkScope workScope(const TextTable &phases, int tableEdition, const QString &edition,
                    int kindIndex);
WorkScope workScope(const KindOfWork &kind, int tableEdition, const QString &edition);

// The scopes a compiled-in rule covers: its table edition, its paragraph (0:
// every paragraph of the edition) and its kind of work (empty: every kind of
// the paragraph; a paragraph may serve two kinds with different rules).
struct RuleScope
{
    int tableEdition = 0;
    int paragraph = 0;
    QString kind;

    static RuleScope read(const QJsonObject &rule);
    bool covers(const WorkScope &scope) const;
};

// A rule file compiled in as ":/rules/<name>.json".
QJsonObject ruleFile(const char *name);

// The first rule that covers the scope: the files list the rules of one kind
// before the rule of their whole paragraph.
template <typename Rule>
const Rule *findRule(const std::vector<Rule> &rules, const WorkScope &scope)
{
    for (const Rule &rule : rules) {
        if (rule.scope.covers(scope))
            return &rule;
    }
    return nullptr;
}

} // namespace zolvaric
