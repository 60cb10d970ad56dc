#pragma once

#include "base/Error.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace zolvaric {

class AutomationObject;
using AutomationObjectPtr = std::shared_ptr<AutomationObject>;

// A member of an automation object failed; the text is for the user.
class AutomationError : public Error
{
public:
    using Error::Error;
};

// One argument of a member call: named ("Unit", 6) or positional (empty
// name). A positional argument that is left out is an invalid QVariant.
struct AutomationArgument
{
    QString name;
    QVariant value;
};
using AutomationArguments = QList<AutomationArgument>;

// An object of an automation server, reached by member names at run time
// (late binding), as a client of Word reaches Word's objects. Member names
// are matched without regard to case. Values are QVariants: bool, int,
// QString, or an object as QVariant::fromValue(AutomationObjectPtr).
// Every failure throws AutomationError.
class AutomationObject
{
public:
    virtual ~AutomationObject() = default;

    virtual QVariant getProperty(const QString &name) = 0;
    virtual void setProperty(const QString &name, const QVariant &value) = 0;
    virtual QVariant invoke(const QString &name, const AutomationArguments &arguments = {}) = 0;

    // A property that holds an object; throws when it holds none.
    AutomationObjectPtr object(const QString &name);
};

// Creates the application object of a server by class name ("Word.Application");
// nullptr when no such server is available.
using AutomationFactory = std::function<AutomationObjectPtr(const QString &className)>;

// The argument at a position or with a name (the name wins); invalid when absent.
QVariant automationArgument(const AutomationArguments &arguments, int position,
                            const QString &name);

// An automation object whose members are registered by name: the common
// ground of the built-in servers.
class DispatchObject : public AutomationObject
{
public:
    QVariant getProperty(const QString &name) override;
    void setProperty(const QString &name, const QVariant &value) override;
    QVariant invoke(const QString &name, const AutomationArguments &arguments = {}) override;

protected:
    using Getter = std::function<QVariant()>;
    using Setter = std::function<void(const QVariant &)>;
    using Method = std::function<QVariant(const AutomationArguments &)>;

    void addProperty(const QString &name, Getter getter, Setter setter = {});
    void addMethod(const QString &name, Method method);

private:
    struct Property
    {
        Getter getter;
        Setter setter;
    };
    QHash<QString, Property> m_properties; // by lower-case name
    QHash<QString, Method> m_methods;
};

} // namespace zolvaric

Q_DECLARE_METATYPE(zolvaric::AutomationObjectPtr)
