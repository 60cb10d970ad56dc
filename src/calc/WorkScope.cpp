#include "WorkScope.h"

#include "KindsOfWork.h"
#include "TextTable.h"

#include "base/NumberText.h"

#include <QFile>
#include <QJsonDocument>

namespace zolvaric {

WorkScope workScope(const TextTable &phases, int tableEdition, const QString &edition,
                    int kindIndex)
{
    return workScope(kindOfWork(phases, tableEdition, kindIndex), tableEdition, edition);
}

WorkScope workScope(const KindOfWork &kind, int tableEdition, const QString &edition)
{
    return {tableEdition, edition, kind.paragraph, kind.name,
            kind.feeTable && kind.feeTable->annex != nullptr};
}

RuleScope RuleScope::read(const QJsonObject &rule)
{
    return {rule.value(QLatin1String("edition")).toInt(),
            rule.value(QLatin1String("paragraph")).toInt(),
            rule.value(QLatin1String("kind")).toString()};
}

bool RuleScope::covers(const WorkScope &scope) const
{
    return tableEdition == scope.tableEdition && (paragraph == 0 || paragraph == scope.paragraph) &&
           (kind.isEmpty() || kind == scope.kind);
}

QJsonObject ruleFile(const char *name)
{
    QFile file(QStringLiteral(":/rules/%1.json").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("rule file %s missing", name);
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace zolvaric
