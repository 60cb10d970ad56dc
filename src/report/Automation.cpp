#include "Automation.h"

namespace zolvaric {

namespace {

AutomationError unknownMember(const QString &name)
{
    return AutomationError(QStringLiteral("Unbekanntes Element \"%1\"").arg(name));
}

} // namespace

AutomationObjectPtr AutomationObject::object(const QString &name)
{
    const QVariant value = getProperty(name);
    if (!value.canConvert<AutomationObjectPtr>() || !value.value<AutomationObjectPtr>())
        throw AutomationError(QStringLiteral("\"%1\" ist kein Objekt").arg(name));
    return value.value<AutomationObjectPtr>();
}

QVariant automationArgument(const AutomationArguments &arguments, int position, const QString &name)
{
    int positional = 0;
    QVariant byPosition;
    for (const AutomationArgument &argument : arguments) {
        if (argument.name.isEmpty()) {
            if (positional++ == position)
                byPosition = argument.value;
        } else if (argument.name.compare(name, Qt::CaseInsensitive) == 0) {
            return argument.value;
        }
    }
    return byPosition;
}

QVariant DispatchObject::getProperty(const QString &name)
{
    const auto found = m_properties.constFind(name.toLower());
    if (found == m_properties.constEnd() || !found->getter)
        throw unknownMember(name);
    return found->getter();
}

void DispatchObject::setProperty(const QString &name, const QVariant &value)
{
    const auto found = m_properties.constFind(name.toLower());
    if (found == m_properties.constEnd() || !found->setter)
        throw unknownMember(name);
    found->setter(value);
}

QVariant DispatchObject::invoke(const QString &name, const AutomationArguments &arguments)
{
    const auto found = m_methods.constFind(name.toLower());
    if (found == m_methods.constEnd())
        throw unknownMember(name);
    return (*found)(arguments);
}

void DispatchObject::addProperty(const QString &name, Getter getter, Setter setter)
{
    m_properties.insert(name.toLower(), Property{std::move(getter), std::move(setter)});
}

void DispatchObject::addMethod(const QString &name, Method method)
{
    m_methods.insert(name.toLower(), std::move(method));
}

} // namespace zolvaric
