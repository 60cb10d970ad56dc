#include "WordApplication.h"

#include "WordObject.h"

namespace zolvaric {

namespace {

class DocumentsObject : public WordObject
{
public:
    explicit DocumentsObject(std::shared_ptr<WordSession> session) : WordObject(std::move(session))
    {
        addProperty(QStringLiteral("Count"),
                    [this] { return static_cast<int>(m_session->documents().size()); });
        addMethod(QStringLiteral("Item"), [this](const AutomationArguments &arguments) {
            const int index = intValue(automationArgument(arguments, 0, QStringLiteral("Index")),
                                       QStringLiteral("Index"));
            const auto &documents = m_session->documents();
            if (index < 1 || index > documents.size())
                throw AutomationError(
                    QStringLiteral("Es gibt kein Dokument Nummer %1.").arg(index));
            return QVariant::fromValue(documentObject(m_session, documents[index - 1]));
        });
        // The document type (arguments 2) does not matter for a template in OOXML; a
        // document is written when the application becomes visible, whatever argument 3 says.
        addMethod(QStringLiteral("Add"), [this](const AutomationArguments &arguments) {
            const QString templatePath =
                automationArgument(arguments, 0, QStringLiteral("Template")).toString();
            if (templatePath.isEmpty())
                throw AutomationError(QStringLiteral("Für das neue Dokument fehlt die Vorlage."));
            const QVariant newTemplate =
                automationArgument(arguments, 1, QStringLiteral("NewTemplate"));
            const bool asTemplate =
                newTemplate.isValid() && boolValue(newTemplate, QStringLiteral("NewTemplate"));
            return QVariant::fromValue(
                documentObject(m_session, m_session->addDocument(templatePath, asTemplate)));
        });
    }
};

class ApplicationObject : public WordObject
{
public:
    explicit ApplicationObject(std::shared_ptr<WordSession> session)
        : WordObject(std::move(session))
    {
        addProperty(
            QStringLiteral("Visible"), [this] { return m_session->isVisible(); },
            [this](const QVariant &value) {
                m_session->setVisible(boolValue(value, QStringLiteral("Visible")));
            });
        addProperty(QStringLiteral("Documents"),
                    [this] { return objectValue<DocumentsObject>(m_session); });
        addProperty(QStringLiteral("ActiveDocument"), [this] {
            return QVariant::fromValue(documentObject(m_session, m_session->activeDocument()));
        });
        addProperty(QStringLiteral("ActiveWindow"), [this] {
            return QVariant::fromValue(windowObject(m_session, m_session->activeDocument()));
        });
        addProperty(QStringLiteral("Selection"), [this] {
            return QVariant::fromValue(selectionObject(m_session, m_session->activeDocument()));
        });
        addMethod(QStringLiteral("Activate"), [this](const AutomationArguments &) {
            m_session->activateApplication();
            return QVariant();
        });
        // Whatever SaveChanges says: only documents already written survive.
        addMethod(QStringLiteral("Quit"), [this](const AutomationArguments &) {
            m_session->quit();
            return QVariant();
        });
    }
};

} // namespace

AutomationObjectPtr createWordApplication(const WordEnvironment &environment)
{
    return std::make_shared<ApplicationObject>(std::make_shared<WordSession>(environment));
}

} // namespace zolvaric
