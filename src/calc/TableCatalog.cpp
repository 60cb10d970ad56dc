#include "TableCatalog.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zolvaric {

namespace {

constexpr BasisUnit kEuro = BasisUnit::Euro;
constexpr BasisUnit kHectare = BasisUnit::Hectare;

// One table per line: paragraph, Anlage 1 number, component, override file,
// unit, keys in either notation.
// clang-format off
constexpr std::array<FeeTableInfo, 28> kFeeTables = {{
    {16, nullptr, {"storeHonorartafel_HOAI2002_Gebaeude_Ausbau_16", "HOAI2002/16_ausbauten_gebaeude.csv"}, kEuro, false},
    {17, nullptr, {"storeHonorartafel_HOAI2002_Freianlagen_17", "HOAI2002/17_freianlagen.csv"}, kEuro, false},
    {65, nullptr, {"storeHonorartafel_HOAI2002_Tragwerk_65", "HOAI2002/65_tragwerk.csv"}, kEuro, false},
    {74, nullptr, {"storeHonorartafel_HOAI2002_TechnAusr_74", "HOAI2002/74_technische_ausruestung.csv"}, kEuro, false},
    {34, nullptr, {"storeHonorartafel_HOAI2009_Gebaeude_Ausbau_34", "HOAI2009/34_ausbauten_gebaeude.csv"}, kEuro, false},
    {39, nullptr, {"storeHonorartafel_HOAI2009_Freianlagen_39", "HOAI2009/39_freianlagen.csv"}, kEuro, false},
    {50, nullptr, {"storeHonorartafel_HOAI2009_Tragwerk_50", "HOAI2009/50_tragwerk.csv"}, kEuro, false},
    {54, nullptr, {"storeHonorartafel_HOAI2009_TechnAusr_54", "HOAI2009/54_technische_ausruestung.csv"}, kEuro, false},
    {35, nullptr, {"storeHonorartafel_HOAI2013_35", "HOAI2013/35_gebaeude_innenraeume.csv"}, kEuro, false},
    {40, nullptr, {"storeHonorartafel_HOAI2013_40", "HOAI2013/40_freianlagen.csv"}, kEuro, false},
    {44, nullptr, {"storeHonorartafel_HOAI2013_44", "HOAI2013/44_ingenieurbauwerke.csv"}, kEuro, false},
    {48, nullptr, {"storeHonorartafel_HOAI2013_48", "HOAI2013/48_verkehrsanlagen.csv"}, kEuro, false},
    {52, nullptr, {"storeHonorartafel_HOAI2013_52", "HOAI2013/52_tragwerksplanung.csv"}, kEuro, false},
    {56, nullptr, {"storeHonorartafel_HOAI2013_56", "HOAI2013/56_technische_ausruestung.csv"}, kEuro, false},
    {20, nullptr, {"storeHonorartafel_HOAI2013_20", "HOAI2013/20_flaechennutzungsplan.csv"}, kHectare, true},
    {21, nullptr, {"storeHonorartafel_HOAI2013_21", "HOAI2013/21_bebauungsplan.csv"}, kHectare, true},
    {28, nullptr, {"storeHonorartafel_HOAI2013_28", "HOAI2013/28_landschaftsplan.csv"}, kHectare, true},
    {29, nullptr, {"storeHonorartafel_HOAI2013_29", "HOAI2013/29_gruenordnungsplan.csv"}, kHectare, true},
    {30, nullptr, {"storeHonorartafel_HOAI2013_30", "HOAI2013/30_landschaftsrahmenplan.csv"}, kHectare, true},
    {31, nullptr, {"storeHonorartafel_HOAI2013_31", "HOAI2013/31_landschaftspflegerischer_begleitplan.csv"}, kHectare, true},
    {32, nullptr, {"storeHonorartafel_HOAI2013_32", "HOAI2013/32_pflege_und_entwicklungsplan.csv"}, kHectare, true},
    {0, "1.1.2", {"storeHonorartafel_HOAI2013_A1_1", "HOAI2013/anlage1_1_umweltvertraeglichkeitsstudie.csv"}, kHectare, true},
    {0, "1.2.3", {"storeHonorartafel_HOAI2013_A1_2a", "HOAI2013/anlage1_2_waermeschutz_energiebilanzierung.csv"}, kEuro, true},
    {0, "1.2.4", {"storeHonorartafel_HOAI2013_A1_2b", "HOAI2013/anlage1_2_bauakustik.csv"}, kEuro, true},
    {0, "1.2.5", {"storeHonorartafel_HOAI2013_A1_2c", "HOAI2013/anlage1_2_raumakustik.csv"}, kEuro, true},
    {0, "1.3.4", {"storeHonorartafel_HOAI2013_A1_3", "HOAI2013/anlage1_3_geotechnik.csv"}, kEuro, true},
    {0, "1.4.8", {"storeHonorartafel_HOAI2013_A1_4a", "HOAI2013/anlage1_4_planungsbegleitende_vermessung.csv"}, BasisUnit::Units, true},
    {0, "1.4.8", {"storeHonorartafel_HOAI2013_A1_4b", "HOAI2013/anlage1_4_bauvermessung.csv"}, kEuro, true},
}};
// clang-format on

constexpr TableInfo kWorkPhases2013 = {"storeLeistungsphasen_HOAI2013",
                                       "HOAI2013/leistungsphasen.csv"};
constexpr TableInfo kWorkPhases2009 = {"storeLeistungsphasen_HOAI2009",
                                       "HOAI2009/leistungsphasen.csv"};
constexpr TableInfo kWorkPhases2002 = {"storeLeistungsphasen_HOAI2002",
                                       "HOAI2002/leistungsphasen.csv"};

} // namespace

std::span<const FeeTableInfo> feeTables()
{
    return kFeeTables;
}

const TableInfo *feeTableForParagraph(int paragraph)
{
    if (paragraph == 0)
        return nullptr;
    for (const FeeTableInfo &entry : kFeeTables) {
        if (entry.paragraph == paragraph)
            return &entry.table;
    }
    return nullptr;
}

const FeeTableInfo *feeTableInfo(const TableInfo &table)
{
    const auto found =
        std::find_if(kFeeTables.begin(), kFeeTables.end(),
                     [&table](const FeeTableInfo &entry) { return &entry.table == &table; });
    return found == kFeeTables.end() ? nullptr : &*found;
}

const FeeTableInfo *feeTableNamed(const char *component)
{
    for (const FeeTableInfo &entry : kFeeTables) {
        if (std::strcmp(entry.table.component, component) == 0)
            return &entry;
    }
    return nullptr;
}

bool isFeeTable(const TableInfo &info)
{
    return feeTableInfo(info) != nullptr;
}

QString tableReference(const FeeTableInfo &info)
{
    return info.annex ? QStringLiteral("Anlage ") + QLatin1String(info.annex)
                      : QStringLiteral("§ %1").arg(info.paragraph);
}

const TableInfo *workPhaseTable(int tableEdition)
{
    switch (tableEdition) {
    case 2013:
        return &kWorkPhases2013;
    case 2009:
        return &kWorkPhases2009;
    case 2002:
        return &kWorkPhases2002;
    default:
        return nullptr;
    }
}

} // namespace zolvaric
