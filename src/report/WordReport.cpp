#include "WordReport.h"

#include "Placeholders.h"
#include "ReportBusyState.h"
#include "ReportOutput.h"
#include "ReportProgress.h"
#include "TemplateBlocks.h"
#include "WordConstants.h"
#include "ooxml/OfferBlocks.h"

#include "base/Desktop.h"
#include "base/ProgramRun.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace zolvaric {

namespace {

const QString kSuchTextCaption = QStringLiteral("WordSuchText");

QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

AutomationObjectPtr find(const AutomationObjectPtr &word)
{
    return word->object(QStringLiteral("selection"))->object(QStringLiteral("find"));
}

// One search-and-replace over the current story.
void replaceInCurrentStory(const AutomationObjectPtr &word, const QString &searchText,
                           const QString &replacement)
{
    word->object(QStringLiteral("selection"))
        ->invoke(QStringLiteral("HomeKey"), {{QStringLiteral("Unit"), wd::Story}});
    find(word)->invoke(QStringLiteral("ClearFormatting"));
    find(word)->setProperty(QStringLiteral("Text"), searchText);
    find(word)
        ->object(QStringLiteral("Replacement"))
        ->setProperty(QStringLiteral("Text"), replacement);
    find(word)->setProperty(QStringLiteral("Forward"), true);
    find(word)->setProperty(QStringLiteral("Wrap"), wd::FindContinue);
    for (const char *option : {"Format", "MatchCase", "MatchWholeWord", "MatchWildcards",
                               "MatchSoundsLike", "MatchAllWordForms"})
        find(word)->setProperty(QLatin1String(option), false);
    if (replacement != QLatin1String("@")) {
        find(word)->invoke(QStringLiteral("execute"),
                           {{QStringLiteral("FindText"), searchText},
                            {QStringLiteral("ReplaceWith"), replacement},
                            {QStringLiteral("Replace"), wd::ReplaceAll}});
    } else {
        find(word)->invoke(QStringLiteral("Execute"));
    }
}

void setSeekView(const AutomationObjectPtr &word, int view)
{
    word->object(QStringLiteral("activeWindow"))
        ->object(QStringLiteral("ActivePane"))
        ->object(QStringLiteral("View"))
        ->setProperty(QStringLiteral("SeekView"), view);
}

void quitQuietly(AutomationObjectPtr &word)
{
    if (!word)
        return;
    try {
        word->invoke(QStringLiteral("quit"));
    } catch (const AutomationError &) {
        // Word is gone either way.
    }
    word.reset();
}

QString wordValue(const Placeholder &placeholder, const Calculation &calculation)
{
    if (placeholder.form == PlaceholderForm::Warnings)
        return wordWarnings(calculation.warnings());
    return placeholderValue(placeholder, calculation);
}

const RegionalSettings &offerSettings(const Offer &offer)
{
    return offer.calculation().sheet().settings();
}

// The offer's letter data as the word processor replaces them: the lines of
// a text as line breaks, a caret as no replacement code.
QList<PlaceholderValue> letterValues(const Offer &offer)
{
    const Calculation &calculation = offer.calculation();
    QList<PlaceholderValue> values = letterPlaceholders(
        calculation.sheet(), calculation.run().settingsFile, QDate::currentDate());
    for (PlaceholderValue &value : values) {
        value.value.replace(QLatin1Char('^'), QLatin1String("^^"));
        value.value.replace(QLatin1Char('\n'), QLatin1String("^l"));
    }
    return values;
}

// A backslash in a calculation's value stands as this character in the
// expanded template until the placeholder steps are done: a title such as
// "\Bauort\" is no placeholder for them. The last step puts it back.
constexpr char16_t kHeldBackslash = 0xE000;

bool anyBackslash(const Offer &offer)
{
    for (int i = 0; i < offer.count(); ++i) {
        for (const PlaceholderValue &value :
             partPlaceholders(offer.summary(i), offerSettings(offer)))
            if (value.value.contains(u'\\'))
                return true;
    }
    return false;
}

// The placeholder steps of a report, one each: the edited calculation's, the
// offer's totals and letter data, then the backslashes held back when there are any. Known
// before the template is read, which may take a conversion under the wait
// window.
int wordSteps(const Offer &offer)
{
    return static_cast<int>(placeholders(ReportKind::Word).size() +
                            offerTotalPlaceholders(offer.totals(), offerSettings(offer)).size() +
                            letterValues(offer).size() + (anyBackslash(offer) ? 1 : 0));
}

// The template the word processor opens, and whether it holds backslashes
// to put back.
struct OfferDocument
{
    OfferTemplate file;
    bool heldBackslashes = false;

    void fill(const Offer &offer, const AutomationObjectPtr &word, Desktop &desktop,
              ReportProgress &progress) const
    {
        for (const Placeholder &placeholder : placeholders(ReportKind::Word)) {
            WordSuchText(word, desktop, progress, placeholder.text,
                         wordValue(placeholder, offer.calculation()));
            progress.advance();
        }
        for (const PlaceholderValue &total :
             offerTotalPlaceholders(offer.totals(), offerSettings(offer))) {
            WordSuchText(word, desktop, progress, total.text, total.value);
            progress.advance();
        }
        // Only those the template uses: a template of the earlier kind is
        // filled with the same steps as before.
        for (const PlaceholderValue &letter : letterValues(offer)) {
            if (file.mayHold(letter.text))
                WordSuchText(word, desktop, progress, letter.text, letter.value);
            progress.advance();
        }
        if (heldBackslashes)
            WordSuchText(word, desktop, progress, QString(QChar(kHeldBackslash)),
                         QStringLiteral("\\"));
        if (anyBackslash(offer))
            progress.advance();
    }
};

// The template with the offer's blocks expanded; a template whose blocks do
// not pair up is shown and gives none.
std::optional<OfferDocument> offerDocument(const Offer &offer, const QString &templatePath,
                                           Desktop &desktop)
{
    QList<QList<PlaceholderValue>> parts;
    bool backslashes = false;
    for (int i = 0; i < offer.count(); ++i) {
        parts.append(partPlaceholders(offer.summary(i), offerSettings(offer)));
        for (PlaceholderValue &value : parts.last()) {
            backslashes = backslashes || value.value.contains(u'\\');
            value.value.replace(u'\\', QChar(kHeldBackslash));
        }
    }
    QList<QList<PlaceholderValue>> vats;
    const OfferTotals totals = offer.totals();
    for (qsizetype i = 0; i < totals.byRate.size(); ++i)
        vats.append(vatPlaceholders(totals, i, offerSettings(offer)));
    // What an optional line's standard and offer placeholders give, as the
    // word processor will replace them.
    QList<PlaceholderValue> fixed;
    for (const Placeholder &placeholder : placeholders(ReportKind::Word))
        fixed.append({placeholder.text, placeholderValue(placeholder, offer.calculation())});
    fixed += offerTotalPlaceholders(totals, offerSettings(offer));
    fixed += letterValues(offer);
    try {
        OfferTemplate file(templatePath, parts, vats, fixed);
        const bool expanded = file.path() != templatePath;
        return OfferDocument{std::move(file), expanded && backslashes};
    } catch (const Error &error) {
        desktop.NotifyBox(error.message(), applicationTitle());
        return std::nullopt;
    }
}

} // namespace

QString wordWarnings(const QStringList &warnings)
{
    QStringList texts;
    // The program's own text: a caret in it is no replacement code.
    for (const QString &warning : warnings)
        texts << QString(warning).replace(QLatin1Char('^'), QLatin1String("^^"));
    return texts.join(QLatin1String("^l"));
}

bool WordNewDocument(const AutomationFactory &factory, Desktop &desktop, const QString &saveName,
                     const QString &templatePath, bool quitAfterwards, bool visible,
                     AutomationObjectPtr &handle)
{
    if (!QFileInfo(templatePath).isFile()) {
        desktop.messageBox(
            QStringLiteral("Die Dokumentvorlage \"%1\" konnte nicht gefunden werden.")
                .arg(templatePath));
        return false;
    }
    try {
        handle = factory ? factory(QStringLiteral("Word.Application")) : nullptr;
    } catch (const Error &) {
        handle.reset();
    }
    if (!handle) {
        desktop.messageBox(QStringLiteral("Word konnte nicht gestartet werden."));
        return false;
    }

    try {
        if (visible) {
            try {
                handle->setProperty(QStringLiteral("visible"), true);
            } catch (const AutomationError &) {
                desktop.messageBox(QStringLiteral("fehler: word.visible"));
            }
            try {
                handle->invoke(QStringLiteral("Activate"));
            } catch (const AutomationError &) {
                desktop.messageBox(QStringLiteral("fehler: word.activate"));
            }
        } else {
            handle->setProperty(QStringLiteral("visible"), false);
        }
        try {
            handle->object(QStringLiteral("Documents"))
                ->invoke(QStringLiteral("Add"), {{QString(), templatePath},
                                                 {QString(), false},
                                                 {QString(), QVariant()},
                                                 {QString(), true}});
        } catch (const AutomationError &error) {
            // The word processor's reason (a template refused as too large or
            // broken) goes with it: the user can act on it.
            desktop.messageBox(
                QStringLiteral("fehler:word.documents.add") +
                (error.message().isEmpty() ? QString() : QStringLiteral("\n\n") + error.message()));
            // Without a document every later step would fail on its own.
            quitQuietly(handle);
            return false;
        }
        QString saveFailure;
        if (!saveName.isEmpty() && !WordSaveDocAs(handle, saveName, &saveFailure))
            desktop.messageBox(saveFailure.isEmpty() ? QStringLiteral("fehler:word.saveas")
                                                     : saveFailure);
        if (quitAfterwards) {
            handle->invoke(QStringLiteral("quit"));
            handle.reset();
        }
    } catch (const AutomationError &) {
        desktop.messageBox(
            QStringLiteral("Das Dokument \"%1\" konnte nicht angelegt werden!").arg(saveName));
        quitQuietly(handle);
        return false;
    }
    return saveName.isEmpty() || QFileInfo::exists(saveName);
}

void WordSuchText(const AutomationObjectPtr &handle, Desktop &desktop, ReportProgress &progress,
                  const QString &searchText, const QString &replacement)
{
    if (!handle) {
        desktop.NotifyBox(QStringLiteral("Die Verbindung zu Word konnte nicht hergestellt werden."),
                          kSuchTextCaption);
        return;
    }
    if (searchText.isEmpty()) {
        desktop.NotifyBox(QStringLiteral("Es wurde kein Suchtext definiert."), kSuchTextCaption);
        return;
    }
    const QString text =
        replacement == QLatin1String("@CLIPBOARD@") ? QStringLiteral("^c") : replacement;
    const QString failure =
        QStringLiteral("Bei der Textsuche nach \"%1\" ist ein Fehler aufgetreten.").arg(searchText);
    try {
        replaceInCurrentStory(handle, searchText, text);
    } catch (const AutomationError &) {
        desktop.NotifyBox(failure, kSuchTextCaption);
        return;
    }
    progress.processEvents();
    setSeekView(handle, wd::SeekCurrentPageHeader);
    try {
        replaceInCurrentStory(handle, searchText, text);
    } catch (const AutomationError &) {
        desktop.NotifyBox(failure, kSuchTextCaption);
    }
    setSeekView(handle, wd::SeekMainDocument);
}

bool WordSaveDocAs(const AutomationObjectPtr &handle, const QString &fileName, QString *failure)
{
    try {
        handle->object(QStringLiteral("activeDocument"))
            ->invoke(QStringLiteral("saveAs"), {{QString(), fileName}});
        return true;
    } catch (const AutomationError &error) {
        if (failure)
            *failure = error.message();
        return false;
    }
}

QString wordTemplatePath(const ProgramRun &run)
{
    return run.programDir + QStringLiteral("Zolvaric_Vorlage.dot");
}

bool PrintHonorarDOC(const Offer &offer, ProgramRun &run, Desktop &desktop,
                     ReportProgress &progress, const AutomationFactory &factory)
{
    const QString templatePath = wordTemplatePath(run);
    if (const auto unusable = unusableTemplateReason(templatePath)) {
        desktop.NotifyBox(*unusable + QStringLiteral(" Der Vorgang wird abgebrochen."),
                          applicationTitle());
        return false;
    }
    progress.prepare(reportWaitMessage(), wordSteps(offer));
    AutomationObjectPtr word;
    {
        const ReportBusyState busy(run, progress);
        const std::optional<OfferDocument> document = offerDocument(offer, templatePath, desktop);
        if (!document)
            return false;
        if (!WordNewDocument(factory, desktop, QString(), document->file.path(), false, false,
                             word)) {
            desktop.NotifyBox(
                QStringLiteral("Beim Erstellen des Documentes ist ein Fehler aufgetreten."),
                applicationTitle());
            return false;
        }
        word->setProperty(QStringLiteral("visible"), false);
        document->fill(offer, word, desktop, progress);
    }
    // Shown after the wait window has gone; the document stays with the user.
    word->setProperty(QStringLiteral("visible"), true);
    return true;
}

bool saveWordReport(const Offer &offer, Desktop &desktop, const AutomationFactory &factory,
                    const QString &templatePath, const QString &outputPath)
{
    const std::optional<OfferDocument> document = offerDocument(offer, templatePath, desktop);
    if (!document)
        return false;
    AutomationObjectPtr word;
    if (!WordNewDocument(factory, desktop, QString(), document->file.path(), false, false, word)) {
        desktop.NotifyBox(
            QStringLiteral("Beim Erstellen des Documentes ist ein Fehler aufgetreten."),
            applicationTitle());
        return false;
    }
    NoReportProgress progress;
    document->fill(offer, word, desktop, progress);
    QString failure;
    const bool saved = WordSaveDocAs(word, outputPath, &failure);
    if (!saved) {
        // The word processor's own message names the file and the reason.
        desktop.NotifyBox(failure.isEmpty()
                              ? QStringLiteral("Das Dokument \"%1\" konnte nicht gespeichert "
                                               "werden.")
                                    .arg(outputPath)
                              : failure,
                          applicationTitle());
    }
    quitQuietly(word);
    return saved;
}

} // namespace zolvaric
