#include "WordObject.h"

namespace zolvaric {

namespace {

// WdSaveFormat values that mean a .docx file.
constexpr int FormatXmlDocument = 12;
constexpr int FormatDocumentDefault = 16;
// WdSaveOptions: save before closing.
constexpr int SaveChanges = -1;

class DocumentObject : public DocumentBoundObject
{
public:
    DocumentObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        addProperty(QStringLiteral("Name"), [this] { return m_document->name(); });
        addProperty(QStringLiteral("FullName"), [this] {
            return m_document->filePath().isEmpty() ? m_document->name() : m_document->filePath();
        });
        addProperty(QStringLiteral("ActiveWindow"),
                    [this] { return QVariant::fromValue(windowObject(m_session, m_document)); });
        addMethod(QStringLiteral("Activate"), [this](const AutomationArguments &) {
            m_session->activate(m_document);
            return QVariant();
        });
        const auto saveAs = [this](const AutomationArguments &arguments) {
            this->saveAs(arguments);
            return QVariant();
        };
        addMethod(QStringLiteral("SaveAs"), saveAs);
        addMethod(QStringLiteral("SaveAs2"), saveAs);
        addMethod(QStringLiteral("Save"), [this](const AutomationArguments &) {
            m_document->save();
            return QVariant();
        });
        addMethod(QStringLiteral("Close"), [this](const AutomationArguments &arguments) {
            const QVariant save = automationArgument(arguments, 0, QStringLiteral("SaveChanges"));
            if (save.isValid() && intValue(save, QStringLiteral("SaveChanges")) == SaveChanges &&
                !m_document->filePath().isEmpty())
                m_document->save();
            m_session->close(m_document);
            return QVariant();
        });
    }

private:
    void saveAs(const AutomationArguments &arguments)
    {
        const QString fileName =
            automationArgument(arguments, 0, QStringLiteral("FileName")).toString();
        if (fileName.isEmpty())
            throw AutomationError(QStringLiteral("Zum Speichern fehlt der Dateiname."));
        const QVariant format = automationArgument(arguments, 1, QStringLiteral("FileFormat"));
        if (format.isValid()) {
            const int value = intValue(format, QStringLiteral("FileFormat"));
            if (value != FormatXmlDocument && value != FormatDocumentDefault)
                throw AutomationError(
                    QStringLiteral("Das Dateiformat %1 wird nicht unterstützt; gespeichert "
                                   "wird im Word-Format (.docx).")
                        .arg(value));
        }
        m_document->saveAs(fileName);
    }
};

class ViewObject : public DocumentBoundObject
{
public:
    ViewObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        addProperty(
            QStringLiteral("SeekView"), [this] { return m_document->seekView(); },
            [this](const QVariant &value) {
                m_document->setSeekView(intValue(value, QStringLiteral("SeekView")));
            });
    }
};

class PaneObject : public DocumentBoundObject
{
public:
    PaneObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        addProperty(QStringLiteral("View"),
                    [this] { return objectValue<ViewObject>(m_session, m_document); });
        addProperty(QStringLiteral("Selection"),
                    [this] { return QVariant::fromValue(selectionObject(m_session, m_document)); });
    }
};

class WindowObject : public DocumentBoundObject
{
public:
    WindowObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        addProperty(QStringLiteral("ActivePane"),
                    [this] { return objectValue<PaneObject>(m_session, m_document); });
        addProperty(QStringLiteral("View"),
                    [this] { return objectValue<ViewObject>(m_session, m_document); });
        addProperty(QStringLiteral("Selection"),
                    [this] { return QVariant::fromValue(selectionObject(m_session, m_document)); });
        addProperty(QStringLiteral("Document"),
                    [this] { return QVariant::fromValue(documentObject(m_session, m_document)); });
        addMethod(QStringLiteral("Activate"), [this](const AutomationArguments &) {
            m_session->activate(m_document);
            return QVariant();
        });
    }
};

} // namespace

AutomationObjectPtr documentObject(const std::shared_ptr<WordSession> &session,
                                   const std::shared_ptr<OpenDocument> &document)
{
    return std::make_shared<DocumentObject>(session, document);
}

AutomationObjectPtr windowObject(const std::shared_ptr<WordSession> &session,
                                 const std::shared_ptr<OpenDocument> &document)
{
    return std::make_shared<WindowObject>(session, document);
}

} // namespace zolvaric
