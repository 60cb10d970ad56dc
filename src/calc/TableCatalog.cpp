#include "TableCatalog.h"

#include <algorithm>
#include <array>

namespace zolvaric {

namespace {

constexpr std::array<FeeTableInfo, 14> kFeeTables = {{
    {16, {"storeHonorartafel_HOAI2002_Gebaeude_Ausbau_16", "HOAI2002/16_ausbauten_gebaeude.csv"}},
    {17, {"storeHonorartafel_HOAI2002_Freianlagen_17", "HOAI2002/17_freianlagen.csv"}},
    {65, {"storeHonorartafel_HOAI2002_Tragwerk_65", "HOAI2002/65_tragwerk.csv"}},
    {74, {"storeHonorartafel_HOAI2002_TechnAusr_74", "HOAI2002/74_technische_ausruestung.csv"}},
    {34, {"storeHonorartafel_HOAI2009_Gebaeude_Ausbau_34", "HOAI2009/34_ausbauten_gebaeude.csv"}},
    {39, {"storeHonorartafel_HOAI2009_Freianlagen_39", "HOAI2009/39_freianlagen.csv"}},
    {50, {"storeHonorartafel_HOAI2009_Tragwerk_50", "HOAI2009/50_tragwerk.csv"}},
    {54, {"storeHonorartafel_HOAI2009_TechnAusr_54", "HOAI2009/54_technische_ausruestung.csv"}},
    {35, {"storeHonorartafel_HOAI2013_35", "HOAI2013/35_gebaeude_innenraeume.csv"}},
    {40, {"storeHonorartafel_HOAI2013_40", "HOAI2013/40_freianlagen.csv"}},
    {44, {"storeHonorartafel_HOAI2013_44", "HOAI2013/44_ingenieurbauwerke.csv"}},
    {48, {"storeHonorartafel_HOAI2013_48", "HOAI2013/48_verkehrsanlagen.csv"}},
    {52, {"storeHonorartafel_HOAI2013_52", "HOAI2013/52_tragwerksplanung.csv"}},
    {56, {"storeHonorartafel_HOAI2013_56", "HOAI2013/56_technische_ausruestung.csv"}},
}};

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
    for (const FeeTableInfo &entry : kFeeTables) {
        if (entry.paragraph == paragraph)
            return &entry.table;
    }
    return nullptr;
}

bool isFeeTable(const TableInfo &info)
{
    return std::any_of(kFeeTables.begin(), kFeeTables.end(),
                       [&info](const FeeTableInfo &entry) { return &entry.table == &info; });
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
