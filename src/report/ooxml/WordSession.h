#pragma once

#include "Story.h"
#include "WordApplication.h"

#include <QList>
#include <QString>

#include <memory>

namespace zolvaric {

class WordDocument;

// Word's views that this word processor answers (WdSeekView).
enum SeekView {
    SeekMainDocument = 0,
    SeekPrimaryHeader = 1,
    SeekFirstPageHeader = 2,
    SeekCurrentPageHeader = 9
};

// A document the application holds, with its window: the story the view
// shows and the selection in it.
class OpenDocument
{
public:
    OpenDocument(std::unique_ptr<WordDocument> document, QString name);
    ~OpenDocument();

    WordDocument &document() { return *m_document; }

    // "Dokument1" until saved, then the file's name.
    QString name() const;
    const QString &filePath() const { return m_filePath; }

    bool isClosed() const { return m_closed; }
    void close() { m_closed = true; }
    // Throws when the document was closed.
    void ensureOpen() const;

    // The story the view shows: the main text or a header.
    Story currentStory();
    int seekView() const { return m_seekView; }
    // Shows another story; the main text's selection is kept meanwhile and
    // decides which header is the current page's.
    void setSeekView(int view);

    const TextRange &selection() const { return m_selection; }
    void setSelection(const TextRange &selection) { m_selection = selection; }

    // Writes the document to a file (atomically) that becomes its own.
    void saveAs(const QString &path);
    void save();

    // Shows the document once: its file when that is up to date, else a new
    // template "DokumentN.dotx" in the folder. Returns the file to open, or an
    // empty string when it was shown before.
    QString fileToShow(const QString &folder);

private:
    std::unique_ptr<WordDocument> m_document;
    QString m_defaultName;
    QString m_filePath;
    bool m_closed = false;
    bool m_shown = false;
    int m_seekView = SeekMainDocument;
    TextRange m_selection;
    TextRange m_mainSelection;
};

// Word's find settings: application-wide, as the client sets them on one
// Selection.Find and executes them on the next.
struct FindSettings
{
    QString text;
    QString replacement;
    bool forward = true;
    int wrap = 0; // WdFindWrap: 0 stop, 1 continue, 2 ask
    bool format = false;
    bool matchCase = false;
    bool matchWholeWord = false;
    bool matchWildcards = false;
    bool matchSoundsLike = false;
    bool matchAllWordForms = false;
    bool found = false;
};

// The state of one running application, shared by all its objects.
class WordSession
{
public:
    explicit WordSession(WordEnvironment environment);
    // A visible word processor keeps its documents on screen when the caller
    // lets go of it: what was not shown yet is shown now, as it stands.
    ~WordSession();
    WordSession(const WordSession &) = delete;
    WordSession &operator=(const WordSession &) = delete;

    const WordEnvironment &environment() const { return m_environment; }

    // Throws after Quit: the application's objects are dead then.
    void ensureRunning() const;
    void quit();

    bool isVisible() const { return m_visible; }
    // Becoming visible shows every document not shown before.
    void setVisible(bool visible);
    // Brings the word processor to the front: a visible one shows what it
    // has not shown yet.
    void activateApplication();

    FindSettings &find() { return m_find; }

    // A new document from a template; it becomes the active one.
    std::shared_ptr<OpenDocument> addDocument(const QString &templatePath, bool asTemplate);
    const QList<std::shared_ptr<OpenDocument>> &documents() const { return m_documents; }
    void activate(const std::shared_ptr<OpenDocument> &document);
    void close(const std::shared_ptr<OpenDocument> &document);
    // Throws when no document is open.
    std::shared_ptr<OpenDocument> activeDocument() const;

private:
    void showDocuments();

    WordEnvironment m_environment;
    bool m_running = true;
    bool m_visible = false;
    int m_documentsCreated = 0;
    FindSettings m_find;
    QList<std::shared_ptr<OpenDocument>> m_documents;
    std::shared_ptr<OpenDocument> m_active;
};

} // namespace zolvaric
