#include "WordSession.h"

#include "TemplateFile.h"
#include "WordDocument.h"
#include "base/Paths.h"
#include "persist/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zolvaric {

namespace {

// More numbered files than anyone keeps in a temp folder: something else is wrong.
constexpr int MaxNumberedFiles = 10000;

// Replaces the file completely or not at all; a failure names the file and
// the system's reason.
void writeDocument(const QString &path, WordDocument &document)
{
    const auto failure = [&path](const QString &reason) {
        return AutomationError(
            QStringLiteral("Das Dokument \"%1\" konnte nicht gespeichert werden: %2")
                .arg(QDir::toNativeSeparators(path), reason));
    };
    QByteArray bytes;
    try {
        bytes = document.toBytes();
    } catch (const AutomationError &error) {
        throw failure(error.message());
    }
    if (const WriteResult written = writeFileAtomically(path, bytes); !written)
        throw failure(written.error);
}

// Claims the first free name "DokumentN.dotx" in the folder and writes it.
QString writeNumbered(const QString &folder, const QByteArray &bytes)
{
    const QDir dir(folder);
    for (int number = 1; number <= MaxNumberedFiles; ++number) {
        const QString path = dir.filePath(QStringLiteral("Dokument%1.dotx").arg(number));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            break;
        }
        if (file.write(bytes) == bytes.size() && file.flush()) {
            file.close();
            return path;
        }
        file.remove();
        break;
    }
    throw AutomationError(QStringLiteral("Das Dokument kann im Ordner \"%1\" nicht gespeichert "
                                         "werden.")
                              .arg(QDir::toNativeSeparators(folder)));
}

HeaderChoice headerChoice(int view)
{
    switch (view) {
    case SeekPrimaryHeader:
        return HeaderChoice::Primary;
    case SeekFirstPageHeader:
        return HeaderChoice::FirstPage;
    default:
        return HeaderChoice::CurrentPage;
    }
}

} // namespace

OpenDocument::OpenDocument(std::unique_ptr<WordDocument> document, QString name)
    : m_document(std::move(document)), m_defaultName(std::move(name))
{
}

OpenDocument::~OpenDocument() = default;

QString OpenDocument::name() const
{
    return m_filePath.isEmpty() ? m_defaultName : QFileInfo(m_filePath).fileName();
}

void OpenDocument::ensureOpen() const
{
    if (m_closed)
        throw AutomationError(
            QStringLiteral("Das Dokument \"%1\" ist bereits geschlossen.").arg(name()));
}

Story OpenDocument::currentStory()
{
    if (m_seekView == SeekMainDocument)
        return m_document->mainStory();
    return m_document->header(m_mainSelection.start.paragraph, headerChoice(m_seekView));
}

void OpenDocument::setSeekView(int view)
{
    if (view != SeekMainDocument && view != SeekPrimaryHeader && view != SeekFirstPageHeader &&
        view != SeekCurrentPageHeader)
        throw AutomationError(
            QStringLiteral("Die Ansicht %1 (SeekView) wird nicht unterstützt.").arg(view));
    if (m_seekView == SeekMainDocument)
        m_mainSelection = m_selection;
    m_seekView = view;
    m_selection = view == SeekMainDocument ? m_mainSelection : TextRange();
}

void OpenDocument::saveAs(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    writeDocument(absolute, *m_document);
    m_filePath = absolute;
}

void OpenDocument::save()
{
    if (m_filePath.isEmpty())
        throw AutomationError(
            QStringLiteral("Das Dokument \"%1\" hat noch keinen Dateinamen; es muss zuerst "
                           "mit „Speichern unter“ gespeichert werden.")
                .arg(name()));
    writeDocument(m_filePath, *m_document);
}

QString OpenDocument::fileToShow(const QString &folder)
{
    if (m_shown)
        return QString();
    // Anything else goes as a template: the word processor opens it as a new
    // document, whose Save asks for a name instead of keeping the temp file.
    const QString path = !m_filePath.isEmpty() && !m_document->hasChanges()
                             ? m_filePath
                             : writeNumbered(folder, m_document->toTemplateBytes());
    m_shown = true;
    return path;
}

WordSession::WordSession(WordEnvironment environment) : m_environment(std::move(environment)) {}

WordSession::~WordSession()
{
    if (!m_running || !m_visible)
        return;
    try {
        showDocuments();
    } catch (...) {
        // Nobody is left to tell: the caller has let go of the word processor.
    }
}

void WordSession::ensureRunning() const
{
    if (!m_running)
        throw AutomationError(QStringLiteral("Die Textverarbeitung wurde bereits beendet."));
}

void WordSession::quit()
{
    for (const std::shared_ptr<OpenDocument> &document : std::as_const(m_documents))
        document->close();
    m_documents.clear();
    m_active.reset();
    m_running = false;
}

void WordSession::setVisible(bool visible)
{
    m_visible = visible;
    if (visible)
        showDocuments();
}

void WordSession::activateApplication()
{
    if (m_visible)
        showDocuments();
}

void WordSession::showDocuments()
{
    const QString folder =
        m_environment.tempFolder.isEmpty() ? TempFolder() : m_environment.tempFolder;
    for (const std::shared_ptr<OpenDocument> &document : std::as_const(m_documents)) {
        const QString path = document->fileToShow(folder);
        if (!path.isEmpty() && m_environment.open)
            m_environment.open(path);
    }
}

std::shared_ptr<OpenDocument> WordSession::addDocument(const QString &templatePath, bool asTemplate)
{
    auto document =
        std::make_unique<WordDocument>(readTemplatePackage(templatePath, m_environment.soffice),
                                       QDir::toNativeSeparators(templatePath));
    if (!asTemplate)
        document->makeDocument();
    auto open = std::make_shared<OpenDocument>(
        std::move(document), QStringLiteral("Dokument%1").arg(++m_documentsCreated));
    m_documents.append(open);
    m_active = open;
    return open;
}

void WordSession::activate(const std::shared_ptr<OpenDocument> &document)
{
    document->ensureOpen();
    m_active = document;
}

void WordSession::close(const std::shared_ptr<OpenDocument> &document)
{
    document->close();
    m_documents.removeAll(document);
    if (m_active == document)
        m_active = m_documents.isEmpty() ? nullptr : m_documents.last();
}

std::shared_ptr<OpenDocument> WordSession::activeDocument() const
{
    if (!m_active)
        throw AutomationError(QStringLiteral("Es ist kein Dokument geöffnet."));
    return m_active;
}

} // namespace zolvaric
