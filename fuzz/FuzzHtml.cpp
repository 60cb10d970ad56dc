// HTML templates as an office edits them: any bytes make a page, and the
// placeholder replacement finds no occurrence that is not there; the check
// of nesting before the paper layout ends on any page, and a picture named
// by the page is read only from below the template's folder.
#include "base/Error.h"
#include "report/HtmlReport.h"
#include "report/TemplateBlocks.h"
#include "report/paper/TemplateNesting.h"
#include "report/paper/TemplateResources.h"

#include <QDir>
#include <QUrl>

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolvaric;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList lines = text.split(QLatin1Char('\n'));
    // Matches run left to right without overlap and the value has no
    // backslash: afterwards no occurrence can be left.
    ReplaceInStringList(lines, QStringLiteral("\\MwSt\\"), QStringLiteral("19,00%"));
    for (const QString &line : std::as_const(lines)) {
        if (line.contains(QStringLiteral("\\mwst\\"), Qt::CaseInsensitive))
            std::abort();
    }
    ReplaceInStringList(lines, QStringLiteral("\\A\\"), QStringLiteral("\\a\\"));
    (void)htmlEscaped(text);
    // An optional line's marker goes and its values are judged on any text.
    (void)withoutOptionalMarker(text);
    (void)optionalContent(text, {{QStringLiteral("\\A\\"), QStringLiteral("0,00 \u20AC")},
                                 {QStringLiteral("\\B\\"), text}});
    try {
        checkTemplateNesting(text);
    } catch (const Error &) {
    }
    // A folder that holds nothing: whatever the name, nothing is read.
    static const QString folder = QDir::temp().filePath(QStringLiteral("zolvaric-fuzz-leer"));
    QDir().mkpath(folder);
    if (templateResource(folder, QUrl(text.left(256))).isValid())
        std::abort();
    return 0;
}
