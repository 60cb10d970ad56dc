// Word templates as anyone might make them, at three layers chosen by the
// first byte: the rest as the template file itself (zip directory, sizes,
// parts, headers), as the XML of one part, or as a short pattern spun out into
// XML that mutations alone would rarely grow (deep nesting, a paragraph of
// countless placeholders). Filling in placeholders always leaves something
// that reads again.
#include "report/Automation.h"
#include "report/ooxml/Story.h"
#include "report/ooxml/TemplateLimits.h"
#include "report/ooxml/WordDocument.h"
#include "report/ooxml/XmlPart.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolvaric;

namespace {

// The most a pattern spins out: far beyond the nesting limit and any
// template's paragraph, small enough for many runs a second.
constexpr qsizetype MaxSpunBytes = 1024 * 1024;

void fill(Story story)
{
    story.replaceAll({QStringLiteral("\\mwst\\"), false, false}, {story.start(), story.end()},
                     [](const QString &) { return QStringLiteral("19,00%\t^ \u20AC"); });
    // Whole words only, and an empty replacement that leaves runs empty.
    story.replaceAll({QStringLiteral("ab"), true, true}, {story.start(), story.end()},
                     [](const QString &) { return QString(); });
    (void)story.text({story.start(), story.end()});
    if (const auto match =
            story.findNext({QStringLiteral("\\MwSt\\"), false, false}, story.start(), true))
        story.replace(*match, QStringLiteral("x\r\ny"));
}

// What was written must read again; a refusal is a finding, unless filling in
// made a part outgrow the limit it kept as a template.
void mustReadAgain(const AutomationError &error)
{
    if (error.message() != templateTooLarge().message())
        qFatal("written document unreadable: %s", error.what());
}

void fillPart(const QByteArray &xml)
{
    QByteArray written;
    try {
        XmlPart part(QStringLiteral("word/document.xml"), xml);
        fill(Story(&part, part.document().document_element()));
        written = part.toBytes();
    } catch (const AutomationError &) {
        return; // refused, as a template would be
    }
    try {
        XmlPart again(QStringLiteral("word/document.xml"), written);
    } catch (const AutomationError &error) {
        mustReadAgain(error);
    }
}

void fillPackage(const QByteArray &bytes)
{
    QByteArray written;
    try {
        WordDocument document(bytes, QStringLiteral("vorlage.dotx"));
        document.makeDocument();
        fill(document.mainStory());
        for (const HeaderChoice choice :
             {HeaderChoice::CurrentPage, HeaderChoice::Primary, HeaderChoice::FirstPage}) {
            try {
                fill(document.header(0, choice));
            } catch (const AutomationError &) {
                // A broken header fails the steps that reach it; the rest goes on.
            }
        }
        written = document.toBytes();
    } catch (const AutomationError &) {
        return;
    }
    try {
        WordDocument again(written, QStringLiteral("ergebnis.docx"));
    } catch (const AutomationError &error) {
        mustReadAgain(error);
    }
}

// Two bytes of repetitions, then head, opening, middle, closing and tail
// separated by \x01: the opening and closing are repeated around the middle.
QByteArray spin(const QByteArray &pattern)
{
    if (pattern.size() < 2)
        return {};
    const qsizetype wanted = quint8(pattern[0]) | quint8(pattern[1]) << 8;
    QList<QByteArray> pieces = pattern.mid(2).split('\x01');
    pieces.resize(5);
    const qsizetype fixed = pieces[0].size() + pieces[2].size() + pieces[4].size();
    const qsizetype repeated = pieces[1].size() + pieces[3].size();
    const qsizetype count =
        repeated == 0 ? 0 : qMin(wanted, qMax<qsizetype>(0, MaxSpunBytes - fixed) / repeated);
    return pieces[0] + pieces[1].repeated(count) + pieces[2] + pieces[3].repeated(count) +
           pieces[4];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 3) {
    case 0:
        fillPackage(rest);
        break;
    case 1:
        fillPart(rest);
        break;
    default:
        fillPart(spin(rest));
    }
    return 0;
}
