#pragma once

#include "WordSession.h"
#include "report/Automation.h"

#include <memory>

namespace zolvaric {

// The common ground of the application's objects: none answers after Quit.
class WordObject : public DispatchObject
{
public:
    explicit WordObject(std::shared_ptr<WordSession> session) : m_session(std::move(session)) {}

    QVariant getProperty(const QString &name) override;
    void setProperty(const QString &name, const QVariant &value) override;
    QVariant invoke(const QString &name, const AutomationArguments &arguments = {}) override;

protected:
    // Called before every member; throws when the object is dead.
    virtual void ensureAlive() const { m_session->ensureRunning(); }

    std::shared_ptr<WordSession> m_session;
};

// An object of one document (the document, its window, the selection):
// dead once the document is closed.
class DocumentBoundObject : public WordObject
{
public:
    DocumentBoundObject(std::shared_ptr<WordSession> session,
                        std::shared_ptr<OpenDocument> document)
        : WordObject(std::move(session)), m_document(std::move(document))
    {
    }

protected:
    void ensureAlive() const override;

    std::shared_ptr<OpenDocument> m_document;
};

// Values of members, checked: Word's clients pass numbers and flags in
// several types. Throw AutomationError naming the member.
bool boolValue(const QVariant &value, const QString &member);
int intValue(const QVariant &value, const QString &member);

template <typename Object, typename... Args> QVariant objectValue(Args &&...args)
{
    return QVariant::fromValue(
        AutomationObjectPtr(std::make_shared<Object>(std::forward<Args>(args)...)));
}

// The objects of a document, for the application's members.
AutomationObjectPtr documentObject(const std::shared_ptr<WordSession> &session,
                                   const std::shared_ptr<OpenDocument> &document);
AutomationObjectPtr windowObject(const std::shared_ptr<WordSession> &session,
                                 const std::shared_ptr<OpenDocument> &document);
AutomationObjectPtr selectionObject(const std::shared_ptr<WordSession> &session,
                                    const std::shared_ptr<OpenDocument> &document);

} // namespace zolvaric
