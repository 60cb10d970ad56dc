// INI files as they come: any bytes must parse, read and write without harm,
// and a value written must read back as written (trimmed, one line).
#include "persist/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolvaric;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDocument document = IniDocument::fromBytes(bytes);
    (void)document.value(u"Projektdaten", u"MwSt");
    document.setValue(u"Projektdaten", u"MwSt", QStringLiteral("19"));
    document.setValue(u"Neu", u"Schl\u00fcssel", QStringLiteral("Wert \u0141"));
    const QByteArray written = document.toBytes();
    const IniDocument again = IniDocument::fromBytes(written);
    if (again.value(u"Projektdaten", u"MwSt") != QStringLiteral("19") ||
        again.value(u"Neu", u"Schl\u00fcssel") != QStringLiteral("Wert \u0141"))
        std::abort();
    return 0;
}
