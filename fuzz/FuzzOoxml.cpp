// The main text of a Word document as any template might hold it: the
// placeholder replacement across runs, with a tab and a caret in the value,
// always leaves well-formed XML behind.
#include "report/Automation.h"
#include "report/ooxml/Story.h"
#include "report/ooxml/XmlPart.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolvaric;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        XmlPart part(QStringLiteral("word/document.xml"), bytes);
        const pugi::xml_node root = part.document().document_element();
        Story story(&part, root);
        const TextRange everything{story.start(), story.end()};
        story.replaceAll({QStringLiteral("\\mwst\\"), false, false}, everything,
                         [](const QString &) { return QStringLiteral("19,00%\t^ \u20AC"); });
        const TextRange after{story.start(), story.end()};
        (void)story.text(after);
        (void)story.findNext({QStringLiteral("\\MwSt\\"), false, false}, story.start(), true);
        // What the replacement wrote must parse again.
        XmlPart again(part.name(), part.toBytes());
        (void)again;
    } catch (const AutomationError &) {
        // Not well-formed to begin with: refused, as a template would be.
    }
    return 0;
}
