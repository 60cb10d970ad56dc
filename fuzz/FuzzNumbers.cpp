// The number parsers and formats: any text parses or is refused, and every
// parsed number survives the program's text forms.
#include "base/CurrencyText.h"
#include "base/NumberFormat.h"
#include "base/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolvaric;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const RegionalSettings settings = RegionalSettings::german();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)tryParseInt(text);
    (void)CellToFloat(text, settings);
    if (const auto value = tryParseFloat(text, settings.decimalSeparator)) {
        // What the project file writes reads back as the same number.
        const QString general = formatGeneral(*value, settings);
        const auto back = tryParseFloat(general, settings.decimalSeparator);
        if (!back || (std::fabs(*back - *value) > std::fabs(*value) * 1e-14 && *value != 0))
            std::abort();
        (void)NumberFormat::amount().format(*value, settings);
        (void)NumberFormat::percent().format(*value, settings);
        (void)formatCurrency(*value, settings);
        (void)RoundDecimals(2, *value);
        const FieldNumber field = toFieldNumber(*value, settings.decimalSeparator);
        if (tryParseFloat(field.text, settings.decimalSeparator).value_or(0.0) != field.value)
            std::abort();
    }
    // The text as a display format of its own.
    (void)NumberFormat(text).format(1234.5, settings);
    return 0;
}
