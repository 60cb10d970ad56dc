#include "ProjectFile.h"

#include "IniAccess.h"

#include "base/Desktop.h"
#include "base/ProgramRun.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"
#include "calc/ProjectInputs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace zolvaric {

namespace {

const QString kSection = QStringLiteral("Projektdaten");
const QString kPartPrefix = QStringLiteral("Teilhonorar ");

// The number of a calculation's section ("Teilhonorar 3": 3); nullopt for
// every other section, "Teilhonorar 1" included, which no offer writes.
std::optional<int> partNumber(const QString &section)
{
    if (!section.startsWith(kPartPrefix, Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const int number = QStringView(section).sliced(kPartPrefix.size()).trimmed().toInt(&ok);
    return ok && number >= 2 ? std::optional(number) : std::nullopt;
}

// A calculation's section holds its title and repetition always, that a
// reader sees which part of the offer it is.
std::optional<QString> partValue(const QMap<QString, QString> &inputs, const ProjectKey &key)
{
    const QString name = QLatin1String(key.key);
    if (inputs.contains(name))
        return inputs.value(name);
    if (key.kind == ProjectKey::Title || key.kind == ProjectKey::Repetition)
        return QLatin1String(key.defaultText);
    return std::nullopt;
}

// A value as written: reading strips outer blanks and one pair of enclosing
// quotes, so a value that reading would change is wrapped in a pair of
// double quotes, which reading removes again. Every other value is written
// as it is.
QString storedValue(const QString &value)
{
    const QString line = oneLineValue(value);
    const bool enclosed = line.size() >= 2 &&
                          (line.front() == QLatin1Char('"') || line.front() == QLatin1Char('\'')) &&
                          line.back() == line.front();
    if (enclosed || QStringView(line).trimmed().size() != line.size())
        return QLatin1Char('"') + line + QLatin1Char('"');
    return line;
}

// Writes the values given, then deletes the keys without one, so that an
// earlier save of the file does not speak for them.
void writeSection(IniDocument &document, const QString &section, std::span<const ProjectKey> keys,
                  const std::function<std::optional<QString>(const ProjectKey &)> &valueOf)
{
    QStringList removed;
    for (const ProjectKey &key : keys) {
        if (const auto value = valueOf(key))
            document.setValue(section, QString::fromLatin1(key.key), storedValue(*value));
        else
            removed << QLatin1String(key.key);
    }
    for (const QString &key : removed)
        document.removeValue(section, key);
}

// The sections of the later calculations, by number, each number once.
QMap<int, QString> partSections(const IniReader &file)
{
    QMap<int, QString> sections;
    for (const QString &name : file.sectionNames()) {
        if (const auto number = partNumber(name); number && !sections.contains(*number))
            sections.insert(*number, name);
    }
    return sections;
}

// Every section whose name starts with "Teilhonorar" is a calculation's and
// must be named as a save names it, numbered from 2 without gap, in any
// order. Another spelling of a number would load as some other calculation
// and be replaced at the next save, with whatever else it holds. The
// message for the first section out of line; nullopt when all are in line.
std::optional<QString> misnumberedPart(const QStringList &sections, const QString &shownFile)
{
    QStringList parts;
    for (const QString &name : sections) {
        if (name.startsWith(kPartPrefix.trimmed(), Qt::CaseInsensitive))
            parts << name;
    }
    QSet<QString> seen;
    for (const QString &name : parts) {
        const auto number = partNumber(name);
        const bool inLine = number && *number <= parts.size() + 1 &&
                            name.compare(offerPartSection(*number), Qt::CaseInsensitive) == 0;
        if (inLine && !seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            continue;
        }
        int expected = 2;
        while (seen.contains(offerPartSection(expected).toCaseFolded()))
            ++expected;
        return QStringLiteral("Projekt \"%1\": Abschnitt [%2]: Die Teilhonorare müssen lückenlos "
                              "ab 2 nummeriert sein (erwartet: [%3]).")
            .arg(shownFile, name, offerPartSection(expected));
    }
    return std::nullopt;
}

// The sections of a file saved before, renamed and moved so that each
// calculation finds its own section, with the lines this program does not
// know, under its new number: the section of a calculation removed goes, one
// of a calculation that moved first goes into the project's own section. A
// calculation added or copied since gets a section of its own. Whether the
// list changed order.
bool followCalculations(IniDocument &document, const Offer &offer)
{
    bool inPlace = true;
    for (int i = 0; i < offer.count(); ++i)
        inPlace = inPlace && offer.origin(i) == i + 1;
    if (inPlace)
        return false;
    QList<std::pair<QString, QString>> renamed;
    QSet<int> seen;
    for (const QString &name : document.sectionNames()) {
        const auto number = partNumber(name);
        if (!number || seen.contains(*number))
            continue;
        seen.insert(*number);
        int index = 0;
        while (index < offer.count() && offer.origin(index) != *number)
            ++index;
        if (index == offer.count())
            document.removeSection(name);
        else if (index == 0)
            document.mergeSection(name, kSection);
        else
            renamed.append({name, offerPartSection(index + 1)});
    }
    document.renameSections(renamed);
    return true;
}

} // namespace

QString offerPartSection(int number)
{
    return kPartPrefix + QString::number(number);
}

QString projectStatusText(const QString &projectFile)
{
    return QStringLiteral("Aktuelle Projektdatei : \"%1\"")
        .arg(QDir::toNativeSeparators(projectFile));
}

QString savePromptText()
{
    return QStringLiteral("Das aktuelle Projekt wurde noch nicht gespeichert. Jetzt Speichern?");
}

QString savePromptCaption(const QString &applicationTitle)
{
    return applicationTitle + QStringLiteral(" - Abfrage");
}

WriteResult writeProjectFile(const Offer &offer, const QString &file, bool fileLoaded)
{
    const QMap<QString, QString> first = offer.inputs(0);
    return updateIniFile(file, [&](IniDocument &document) {
        const bool reordered = fileLoaded && followCalculations(document, offer);
        writeSection(document, kSection, projectKeys(), [&](const ProjectKey &key) {
            if (!isCalculationKey(key))
                return storedProjectValue(offer.calculation(), key);
            const auto found = first.constFind(QLatin1String(key.key));
            return found == first.constEnd() ? std::nullopt : std::optional(*found);
        });
        // No section of a calculation removed, or under another spelling of
        // its number, is left to come back at the next load.
        for (const QString &name : document.sectionNames()) {
            const auto number = partNumber(name);
            if (number && (*number > offer.count() ||
                           name.compare(offerPartSection(*number), Qt::CaseInsensitive) != 0))
                document.removeSection(name);
        }
        for (int i = 1; i < offer.count(); ++i) {
            const QMap<QString, QString> inputs = offer.inputs(i);
            writeSection(document, offerPartSection(i + 1), calculationKeys(),
                         [&](const ProjectKey &key) { return partValue(inputs, key); });
        }
        if (reordered) {
            QStringList order;
            for (int i = 1; i < offer.count(); ++i)
                order << offerPartSection(i + 1);
            document.arrangeSections(order);
        }
    });
}

bool SaveProject(Offer &offer, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile)
{
    if (!chosenFile)
        return false;
    const bool fileLoaded =
        !run.projectFile.isEmpty() && QFileInfo(*chosenFile) == QFileInfo(run.projectFile);
    const WriteResult written = writeProjectFile(offer, *chosenFile, fileLoaded);
    if (!written) {
        desktop.NotifyBox(
            QStringLiteral("Das Projekt konnte nicht gespeichert werden: %1").arg(written.error),
            QCoreApplication::applicationName());
        return false;
    }
    offer.markSaved();
    run.projectFile = *chosenFile;
    run.projectChanged = false;
    return true;
}

bool LoadProject(Offer &offer, ProgramRun &run, Desktop &desktop,
                 const std::optional<QString> &chosenFile)
{
    if (!chosenFile)
        return false;
    const IniReader file(*chosenFile);
    if (!file.error().isEmpty()) {
        desktop.errorBox(file.error());
        return false;
    }
    const QString shownFile = QDir::toNativeSeparators(*chosenFile);
    if (!file.exists() && QFileInfo::exists(*chosenFile)) {
        desktop.errorBox(
            QStringLiteral("Die Projektdatei \"%1\" kann nicht gelesen werden.").arg(shownFile));
        return false;
    }
    if (const auto misnumbered = misnumberedPart(file.sectionNames(), shownFile)) {
        desktop.errorBox(*misnumbered);
        return false;
    }
    // Absent and empty values mean the file format's defaults.
    const auto sectionLookup = [&file](const QString &section) -> ProjectValueLookup {
        return [&file, section](const ProjectKey &key) -> std::optional<QString> {
            return file.string(section, QLatin1String(key.key), QLatin1String(key.defaultText));
        };
    };
    Calculation &calculation = offer.calculation();
    try {
        // Which file and section the bad value is in, as the user may load several.
        const auto checked = [&](const ProjectValueLookup &lookup, const QString &where) {
            try {
                checkProjectInputs(calculation, lookup);
            } catch (const InputError &error) {
                throw InputError(where + error.message());
            }
        };
        checked(sectionLookup(kSection), QStringLiteral("Projekt \"%1\": ").arg(shownFile));
        QList<QMap<QString, QString>> others;
        for (const QString &section : partSections(file)) {
            QMap<QString, QString> inputs;
            for (const ProjectKey &key : calculationKeys()) {
                const QString name = QLatin1String(key.key);
                inputs.insert(name, file.string(section, name, QLatin1String(key.defaultText)));
            }
            checked(
                [&inputs](const ProjectKey &key) -> std::optional<QString> {
                    return inputs.value(QLatin1String(key.key), QLatin1String(key.defaultText));
                },
                QStringLiteral("Projekt \"%1\", Abschnitt [%2]: ").arg(shownFile, section));
            others << inputs;
        }
        offer.load(sectionLookup(kSection), others);
    } catch (const Error &error) {
        desktop.errorBox(error.message());
        return false;
    }
    run.projectFile = *chosenFile;
    run.projectChanged = false;
    return true;
}

} // namespace zolvaric
