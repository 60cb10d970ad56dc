#include "WordObject.h"
#include "WordText.h"

#include "report/WordConstants.h"

#include <optional>

namespace zolvaric {

namespace {

class ReplacementObject : public WordObject
{
public:
    explicit ReplacementObject(std::shared_ptr<WordSession> session)
        : WordObject(std::move(session))
    {
        addProperty(
            QStringLiteral("Text"), [this] { return m_session->find().replacement; },
            [this](const QVariant &value) { m_session->find().replacement = value.toString(); });
        // There are no formatting criteria to clear.
        addMethod(QStringLiteral("ClearFormatting"),
                  [](const AutomationArguments &) { return QVariant(); });
    }
};

class FindObject : public DocumentBoundObject
{
public:
    FindObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        FindSettings &find = m_session->find();
        addProperty(
            QStringLiteral("Text"), [&find] { return find.text; },
            [&find](const QVariant &value) { find.text = value.toString(); });
        addProperty(QStringLiteral("Replacement"),
                    [this] { return objectValue<ReplacementObject>(m_session); });
        addProperty(
            QStringLiteral("Wrap"), [&find] { return find.wrap; },
            [&find](const QVariant &value) {
                find.wrap = intValue(value, QStringLiteral("Wrap"));
            });
        addFlag(QStringLiteral("Forward"), find.forward);
        addFlag(QStringLiteral("Format"), find.format);
        addFlag(QStringLiteral("MatchCase"), find.matchCase);
        addFlag(QStringLiteral("MatchWholeWord"), find.matchWholeWord);
        addFlag(QStringLiteral("MatchWildcards"), find.matchWildcards);
        addFlag(QStringLiteral("MatchSoundsLike"), find.matchSoundsLike);
        addFlag(QStringLiteral("MatchAllWordForms"), find.matchAllWordForms);
        addProperty(QStringLiteral("Found"), [&find] { return find.found; });
        // There are no formatting criteria to clear.
        addMethod(QStringLiteral("ClearFormatting"),
                  [](const AutomationArguments &) { return QVariant(); });
        addMethod(QStringLiteral("Execute"),
                  [this](const AutomationArguments &arguments) { return execute(arguments); });
    }

private:
    void addFlag(const QString &name, bool &flag)
    {
        addProperty(
            name, [&flag] { return flag; },
            [&flag, name](const QVariant &value) { flag = boolValue(value, name); });
    }

    // The stored settings, overridden by the arguments given (Word's order).
    FindSettings settings(const AutomationArguments &arguments) const
    {
        FindSettings settings = m_session->find();
        const auto argument = [&arguments](int position, const char *name) {
            return automationArgument(arguments, position, QString::fromLatin1(name));
        };
        const auto override = [&argument](int position, const char *name, bool &flag) {
            const QVariant value = argument(position, name);
            if (value.isValid())
                flag = boolValue(value, QString::fromLatin1(name));
        };
        if (const QVariant text = argument(0, "FindText"); text.isValid())
            settings.text = text.toString();
        override(1, "MatchCase", settings.matchCase);
        override(2, "MatchWholeWord", settings.matchWholeWord);
        override(3, "MatchWildcards", settings.matchWildcards);
        override(4, "MatchSoundsLike", settings.matchSoundsLike);
        override(5, "MatchAllWordForms", settings.matchAllWordForms);
        override(6, "Forward", settings.forward);
        if (const QVariant wrap = argument(7, "Wrap"); wrap.isValid())
            settings.wrap = intValue(wrap, QStringLiteral("Wrap"));
        override(8, "Format", settings.format);
        if (const QVariant replacement = argument(9, "ReplaceWith"); replacement.isValid())
            settings.replacement = replacement.toString();
        return settings;
    }

    static void checkSupported(const FindSettings &settings)
    {
        if (settings.matchWildcards)
            throw AutomationError(QStringLiteral("Die Suche mit Platzhaltern wird nicht "
                                                 "unterstützt."));
        if (settings.matchSoundsLike)
            throw AutomationError(QStringLiteral("Die Suche nach ähnlich klingenden Wörtern "
                                                 "wird nicht unterstützt."));
        if (settings.matchAllWordForms)
            throw AutomationError(QStringLiteral("Die Suche nach allen Wortformen wird nicht "
                                                 "unterstützt."));
        if (!settings.forward)
            throw AutomationError(QStringLiteral("Die Suche rückwärts wird nicht unterstützt."));
    }

    QVariant execute(const AutomationArguments &arguments)
    {
        const FindSettings settings = this->settings(arguments);
        checkSupported(settings);
        const QVariant replaceArgument =
            automationArgument(arguments, 10, QStringLiteral("Replace"));
        const int replace = replaceArgument.isValid()
                                ? intValue(replaceArgument, QStringLiteral("Replace"))
                                : wd::ReplaceNone;
        if (replace != wd::ReplaceNone && replace != wd::ReplaceOne && replace != wd::ReplaceAll)
            throw AutomationError(
                QStringLiteral("Ungültiger Wert \"%1\" für \"Replace\".").arg(replace));

        const SearchOptions options{searchTextFromCodes(settings.text), settings.matchCase,
                                    settings.matchWholeWord};
        const bool wrap = settings.wrap == wd::FindContinue;
        std::optional<QString> clipboard; // asked once, and only when used
        const auto clipboardText = [this, &clipboard] {
            if (!clipboard) {
                const auto &ask = m_session->environment().clipboardText;
                clipboard = ask ? ask() : QString();
            }
            return *clipboard;
        };
        const auto replacementFor = [&settings, &clipboardText](const QString &found) {
            return replacementFromCodes(settings.replacement, found, clipboardText);
        };

        Story story = m_document->currentStory();
        const TextRange selection{story.clamp(m_document->selection().start),
                                  story.clamp(m_document->selection().end)};
        bool found = false;
        if (replace == wd::ReplaceAll) {
            // Without wrapping, Word replaces from the cursor on, or inside the selection.
            const TextRange range = wrap ? TextRange{story.start(), story.end()}
                                    : selection.isCollapsed()
                                        ? TextRange{selection.start, story.end()}
                                        : selection;
            found = story.replaceAll(options, range, replacementFor) > 0;
            m_document->setSelection({story.clamp(selection.start), story.clamp(selection.end)});
        } else {
            // A selected occurrence is replaced; a search moves on past the selection.
            const TextPosition from = replace == wd::ReplaceOne ? selection.start : selection.end;
            if (const std::optional<TextRange> match = story.findNext(options, from, wrap)) {
                found = true;
                m_document->setSelection(
                    replace == wd::ReplaceOne
                        ? story.replace(*match, replacementFor(story.text(*match)))
                        : *match);
            }
        }
        m_session->find().found = found;
        return found;
    }
};

class SelectionObject : public DocumentBoundObject
{
public:
    SelectionObject(std::shared_ptr<WordSession> session, std::shared_ptr<OpenDocument> document)
        : DocumentBoundObject(std::move(session), std::move(document))
    {
        addProperty(QStringLiteral("Find"),
                    [this] { return objectValue<FindObject>(m_session, m_document); });
        addProperty(QStringLiteral("Text"),
                    [this] { return m_document->currentStory().text(m_document->selection()); });
        addMethod(QStringLiteral("HomeKey"), [this](const AutomationArguments &arguments) {
            moveToStoryEdge(arguments, QStringLiteral("HomeKey"), true);
            return QVariant();
        });
        addMethod(QStringLiteral("EndKey"), [this](const AutomationArguments &arguments) {
            moveToStoryEdge(arguments, QStringLiteral("EndKey"), false);
            return QVariant();
        });
    }

private:
    void moveToStoryEdge(const AutomationArguments &arguments, const QString &member, bool home)
    {
        const QVariant unit = automationArgument(arguments, 0, QStringLiteral("Unit"));
        // Word's default unit is the line, which has no meaning without a layout.
        if (!unit.isValid() || intValue(unit, QStringLiteral("Unit")) != wd::Story)
            throw AutomationError(QStringLiteral("%1 unterstützt nur die Einheit 6 "
                                                 "(ganzer Text).")
                                      .arg(member));
        const QVariant extend = automationArgument(arguments, 1, QStringLiteral("Extend"));
        const bool extending =
            extend.isValid() && intValue(extend, QStringLiteral("Extend")) == wd::Extend;
        const Story story = m_document->currentStory();
        const TextPosition edge = home ? story.start() : story.end();
        TextRange selection = m_document->selection();
        if (!extending)
            selection = {edge, edge};
        else if (home)
            selection.start = edge;
        else
            selection.end = edge;
        m_document->setSelection(selection);
    }
};

} // namespace

AutomationObjectPtr selectionObject(const std::shared_ptr<WordSession> &session,
                                    const std::shared_ptr<OpenDocument> &document)
{
    return std::make_shared<SelectionObject>(session, document);
}

} // namespace zolvaric
