#include "WordObject.h"

namespace zolvaric {

namespace {

AutomationError badValue(const QVariant &value, const QString &member)
{
    return AutomationError(
        QStringLiteral("Ungültiger Wert \"%1\" für \"%2\".").arg(value.toString(), member));
}

} // namespace

QVariant WordObject::getProperty(const QString &name)
{
    ensureAlive();
    return DispatchObject::getProperty(name);
}

void WordObject::setProperty(const QString &name, const QVariant &value)
{
    ensureAlive();
    DispatchObject::setProperty(name, value);
}

QVariant WordObject::invoke(const QString &name, const AutomationArguments &arguments)
{
    ensureAlive();
    return DispatchObject::invoke(name, arguments);
}

void DocumentBoundObject::ensureAlive() const
{
    WordObject::ensureAlive();
    m_document->ensureOpen();
}

bool boolValue(const QVariant &value, const QString &member)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
            return false;
        break;
    }
    default:
        break;
    }
    // Numbers as COM passes them: 0 is false, anything else (-1) true.
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        throw badValue(value, member);
    return number != 0;
}

int intValue(const QVariant &value, const QString &member)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        throw badValue(value, member);
    return number;
}

} // namespace zolvaric
