// Table files as an office might write them: any bytes make a table whose
// every cell can be read.
#include "base/RegionalSettings.h"
#include "calc/TableReader.h"

#include <cstddef>
#include <cstdint>

using namespace zolvaric;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const RegionalSettings settings = RegionalSettings::german();
    const TextTable table =
        readTable(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), settings);
    for (int r = -1; r <= table.rowCount(); ++r) {
        for (int c = -1; c <= table.columnCount(); ++c) {
            (void)table.cell(r, c);
            (void)table.number(r, c);
        }
    }
    return 0;
}
