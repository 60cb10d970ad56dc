#include "FeeComputation.h"

#include "FeeRate.h"
#include "FeeSelection.h"
#include "Repetition.h"
#include "ShareLimit.h"
#include "SurchargeLimit.h"

#include "base/Error.h"
#include "base/NumberText.h"

namespace zolvaric {

namespace {

// The first column of a table: the regional notation, and for the newer
// tables also the other one (the law writes 0.5 ha).
double keyOf(const TextTable &table, int row, bool eitherNotation)
{
    const double key = table.number(row, 0);
    if (key != -1 || !eitherNotation)
        return key;
    return tryParseFloatEitherNotation(table.cell(row, 0)).value_or(-1);
}

const NumberFormat &keyFormat(BasisUnit unit)
{
    static const NumberFormat hectares(u",0.## ha");
    static const NumberFormat units(u",0.## VE");
    switch (unit) {
    case BasisUnit::Hectare:
        return hectares;
    case BasisUnit::Units:
        return units;
    case BasisUnit::Euro:
        break;
    }
    return NumberFormat::amount();
}

// An integer as text, without allocating.
QStringView decimalDigits(int value, char16_t (&buffer)[12])
{
    char16_t *end = buffer + 12;
    char16_t *p = end;
    unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--p = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = u'-';
    return QStringView(p, end - p);
}

} // namespace

int feeTableZones(const TextTable &table)
{
    int zones = 0;
    while (zones < 5 && table.number(1, 2 * (zones + 1)) > 0)
        ++zones;
    return zones;
}

FeeComputation::FeeComputation(CalculationSheet &sheet, InterpolationTrace &trace,
                               TableStore &tables, ProgramRun &run)
    : m_sheet(sheet), m_trace(trace), m_tables(tables), m_run(run)
{
}

double FeeComputation::GetHonorarsatzProzent() const
{
    return fixedRatePercent(m_sheet.comboHonorarsatz.index())
        .value_or(m_sheet.edHonorarsatzProz.value());
}

const FeeComputation::KindProfile &FeeComputation::profile() const
{
    const CalculationSheet &s = m_sheet;
    KindProfile &p = m_profile;
    if (p.phases == s.gridLeistungsphasen.shared() && p.editionIndex == s.comboHOAINorm.index() &&
        p.kindIndex == s.comboHonorarparagraph.index())
        return p;
    p.phases = s.gridLeistungsphasen.shared();
    ++p.generation;
    p.editionIndex = s.comboHOAINorm.index();
    p.kindIndex = s.comboHonorarparagraph.index();
    const int tableEdition = FeeSelection::tableEditionOf(p.editionIndex);
    p.kind = kindOfWork(*p.phases, tableEdition, p.kindIndex);
    p.scope = workScope(p.kind, tableEdition, s.comboHOAINorm.currentText());
    for (int n = 0; n < 9; ++n) {
        p.captions[n] = p.kind.phaseCaption(n + 1);
        p.lawShares[n] = p.kind.maximumShare(*p.phases, n + 1);
    }
    p.lastRatedPhase = p.kind.lastRatedPhase(*p.phases);
    return p;
}

const FeeTableInfo &FeeComputation::feeTableOf(const KindOfWork &kind) const
{
    int paragraph = kind.paragraph;
    if (kind.column > 0)
        paragraph = parseInt(m_sheet.gridLeistungsphasen.table().cell(10, kind.column));
    if (!kind.feeTable) {
        throw Error(QStringLiteral("Für § %1 aus der Tabelle der Leistungsphasen gibt es keine "
                                   "Honorartafel. Bitte prüfen Sie die Tabellendatei.")
                        .arg(paragraph));
    }
    return *kind.feeTable;
}

QString FeeComputation::outsideTableWarning(const FeeTableInfo &feeTable, bool above,
                                            double key) const
{
    const QString basis = feeTable.unit == BasisUnit::Hectare ? QStringLiteral("Die Fläche liegt")
                          : feeTable.unit == BasisUnit::Units
                              ? QStringLiteral("Die Verrechnungseinheiten liegen")
                              : QStringLiteral("Die anrechenbaren Kosten liegen");
    return QStringLiteral("%1 %2 der Honorartafel %3 (%4) und damit außerhalb der Honorartafel. %5")
        .arg(basis,
             above ? QStringLiteral("über dem Tafelendwert")
                   : QStringLiteral("unter dem Tafelanfangswert"),
             tableReference(feeTable), keyFormat(feeTable.unit).format(key, m_sheet.settings()),
             outsideTableConsequence(currentScope()));
}

void FeeComputation::warn(const QString &warning)
{
    if (!m_warnings.contains(warning))
        m_warnings << warning;
}

double FeeComputation::LookupGrundhonorar(const FeeTableInfo &feeTable, int zone, double rate,
                                          double costs)
{
    InterpolationTrace &t = m_trace;
    t.clearLookup();

    const SharedTable shared = m_tables.load(feeTable.table);
    m_sheet.gridHOAI.setTable(shared);
    if (feeTable.annex) {
        const QString annex = QString::fromLatin1(feeTable.annex);
        m_sheet.edHonorartafel.setText(
            {m_sheet.comboHonorarparagraph.currentText(), u"( Anlage ", annex, u")"});
    } else {
        char16_t digits[12];
        const QStringView paragraphText = decimalDigits(feeTable.paragraph, digits);
        m_sheet.edHonorartafel.setText(
            {m_sheet.comboHonorarparagraph.currentText(), u"( §", paragraphText, u")"});
    }

    const TextTable &table = *shared;
    const int rows = table.rowCount() - 1;
    if (rows < 1) {
        throw Error(QStringLiteral("Die Honorartafel %1 enthält keine Kostenzeilen.")
                        .arg(tableReference(feeTable)));
    }
    const bool eitherNotation = feeTable.keysInEitherNotation;
    const auto key = [&table, eitherNotation](int row) {
        return keyOf(table, row, eitherNotation);
    };
    const double first = key(1);
    const double last = key(rows);

    int lower = 0;
    int upper = 0;
    if (costs < first) {
        lower = upper = 1;
    } else if (costs > last) {
        lower = upper = rows;
    } else {
        for (int i = 1; i <= rows && (lower == 0 || upper == 0); ++i) {
            if (costs < key(i))
                upper = i;
            if (costs >= key(i))
                lower = i;
        }
        // Costs equal to the last key have no upper row: the last row serves
        // as both, which keeps the fee at that row's own fee.
        if (upper == 0)
            upper = lower;
    }

    const int vonColumn = 2 * zone - 1;
    const int bisColumn = 2 * zone;
    t.K1 = key(lower);
    t.H1V = table.number(lower, vonColumn);
    t.H1B = table.number(lower, bisColumn);
    t.K2 = key(upper);
    t.H2V = table.number(upper, vonColumn);
    t.H2B = table.number(upper, bisColumn);
    t.H1 = (t.H1B - t.H1V) * rate / 100 + t.H1V;
    t.H2 = (t.H2B - t.H2V) * rate / 100 + t.H2V;
    t.D1 = costs - t.K1;
    t.D2 = t.K2 - t.K1;
    t.D3 = t.H2 - t.H1;

    const int zones = feeTableZones(table);
    m_zoneCount = zones;
    if (zone > zones) {
        warn(QStringLiteral("Die Honorartafel %1 kennt nur die Honorarzonen 1 bis %2.")
                 .arg(tableReference(feeTable))
                 .arg(zones));
        return 0;
    }
    // The regulation gives no fee outside its table: at either end the
    // edition's rule for an agreement holds. No basis typed yet is no note;
    // a negative one has its own.
    if (costs > last) {
        warn(outsideTableWarning(feeTable, true, last));
        return 0;
    }
    if (costs < t.K1) {
        if (costs > 0)
            warn(outsideTableWarning(feeTable, false, first));
        return 0;
    }
    if (t.D2 == 0)
        return t.H1;
    return t.D3 * t.D1 / t.D2 + t.H1;
}

void FeeComputation::addAgreementNotes(const WorkScope &scope, double rate)
{
    if (m_sheet.comboHonorarsatz.index() == kFreeRateIndex) {
        if (const auto warning = rateLimitWarning(scope, rate))
            warn(*warning);
    }
    if (const auto note =
            surchargeLimitNote(scope, m_sheet.edZuschlagUmbau.value(), m_sheet.settings()))
        warn(*note);
}

void FeeComputation::addShareNotes(const KindProfile &shown)
{
    for (int n = 1; n <= shown.kind.phaseCount(); ++n) {
        const double offered = m_sheet.edLP[n - 1]->value();
        const double lawShare = shown.lawShares[n - 1];
        if (offered <= lawShare)
            continue;
        if (const auto note = shareLimitNote(shown.scope, n, shown.kind.phaseMark(n), offered,
                                             lawShare, m_sheet.settings()))
            warn(*note);
    }
}

void FeeComputation::addNegativeNotes(const FeeTableInfo &feeTable, double costs)
{
    const RegionalSettings &settings = m_sheet.settings();
    if (costs < 0) {
        const QString subject =
            feeTable.unit == BasisUnit::Hectare ? QStringLiteral("Die Fläche ist")
            : feeTable.unit == BasisUnit::Units ? QStringLiteral("Die Verrechnungseinheiten sind")
                                                : QStringLiteral("Die anrechenbaren Kosten sind");
        warn(QStringLiteral("%1 negativ (%2); dafür gibt die Honorartafel %3 kein Honorar.")
                 .arg(subject, keyFormat(feeTable.unit).format(costs, settings),
                      tableReference(feeTable)));
    }
    if (m_trace.Grundhonorar < 0) {
        warn(QStringLiteral("Der Honorarsatz von %1 der Spanne ergibt ein negatives Honorar (%2).")
                 .arg(NumberFormat::percentInText().format(GetHonorarsatzProzent(), settings),
                      NumberFormat::amount().format(m_trace.Grundhonorar, settings)));
    }
}

void FeeComputation::clearSharesBeyond(int phaseCount)
{
    // Each write fires a nested calculation, which finds nothing more to clear.
    for (int n = phaseCount; n < 9; ++n) {
        if (m_sheet.edLP[n]->value() != 0)
            m_sheet.edLP[n]->setValue(0);
    }
}

void FeeComputation::CalcHonorar()
{
    if (m_runsLeftOut > 0)
        return;
    CalculationSheet &s = m_sheet;
    // A fixed rate shows its percentage; a change runs one nested, identical
    // calculation, before this one starts afresh.
    if (const auto fixed = fixedRatePercent(s.comboHonorarsatz.index()))
        s.edHonorarsatzProz.setValue(*fixed);
    m_trace.Grundhonorar = 0;
    m_run.projectChanged = true;
    m_warnings.clear();

    // An office's work-phase table broken since the edition change stops
    // every calculation, as a broken fee table does.
    if (const TableInfo *phases =
            workPhaseTable(FeeSelection::tableEditionOf(s.comboHOAINorm.index())))
        m_tables.load(*phases);

    const KindProfile &shown = profile();
    const KindOfWork &kind = shown.kind;
    const FeeTableInfo &feeTable = feeTableOf(kind);
    clearSharesBeyond(kind.phaseCount());
    if (s.basisUnit() != feeTable.unit)
        s.setBasisUnit(feeTable.unit);
    const double costs = s.edKosten.value();
    const double rate = GetHonorarsatzProzent();
    const int zone = s.comboHonorarzone.index() + 1;

    m_trace.Grundhonorar = LookupGrundhonorar(feeTable, zone, rate, costs);
    const WorkScope &scope = shown.scope;
    addNegativeNotes(feeTable, costs);
    addAgreementNotes(scope, rate);
    addShareNotes(shown);
    if (m_basisUnitToCheck)
        warn(CalculationSheet::basisUnitNote(feeTable.unit));
    s.edHonorar100Proz.setValue(m_trace.Grundhonorar);
    s.comboParagraph.setIndex(s.comboHonorarparagraph.index());
    // The row captions change with the kind of work only.
    if (m_captionsOf != shown.generation) {
        m_captionsOf = shown.generation;
        for (int n = 0; n < 9; ++n)
            s.lbLPText[n]->setText(shown.captions[n]);
    }

    double shares = 0;
    for (const NumericField *share : s.edLP)
        shares += share->value();
    // A changed sum fires edLP1Change: one nested, identical calculation.
    s.edLPSumme.setValue(shares);

    const int tableEdition = scope.tableEdition;
    // A kind of work without repetitions keeps none: a stored one would be
    // refused by the next load.
    if (repetitionRule(scope) == RepetitionRule::None && s.edWiederholung.value() != 0)
        s.edWiederholung.setValue(0);
    const int repetition = repetitionNumber(s.edWiederholung.value());
    for (int n = 0; n < 9; ++n) {
        const int reduction = repetitionReduction(tableEdition, repetition, n + 1);
        const double share = s.edLP[n]->value();
        s.edLPEUR[n]->setValue(reduction == 0 ? RoundDecimals(2, share * m_trace.Grundhonorar / 100)
                                              : RoundDecimals(2, share * (100 - reduction) / 100 *
                                                                     m_trace.Grundhonorar / 100));
    }
    s.lbWiederholung.setText(repetitionText(scope, repetition, shown.lastRatedPhase));
    if (repetition > 0 && repetitionLastPhase(tableEdition) == 0) {
        warn(QStringLiteral("Für die HOAI %1 mindert das Programm Wiederholungen "
                            "nicht; die Anteile gelten ungemindert.")
                 .arg(s.comboHOAINorm.currentText()));
    }
    double basicFee = 0;
    for (const NumericField *amount : s.edLPEUR)
        basicFee += amount->value();
    s.edSummeLPEUR.setValue(basicFee);

    s.edZuschlagAnrechenbareKostenEUR.setValue(0);
    s.edSummeLPEUR2.setValue(s.edSummeLPEUR.value());
    double accumulator = s.edSummeLPEUR.value();
    s.edZuschlagAnrechenbareKostenEUR.setValue((s.edKosten.value() / 100) *
                                               s.edZuschlagAnrechenbareKostenProz.value());
    accumulator += s.edZuschlagAnrechenbareKostenEUR.value();
    accumulator += s.edZeithonorar.value();
    accumulator += s.edBesondereLeistung.value();
    accumulator += s.edBesondereLeistungZeit.value();

    s.edUmbauzuschlagEUR.setValue(s.edSummeLPEUR.value() * s.edZuschlagUmbau.value() / 100);
    accumulator = s.edUmbauzuschlagEUR.value() + accumulator;
    s.edZwi.setValue(accumulator);

    s.edNebenkostenEUR.setValue(s.edNebenkosten.value() / 100 * accumulator);
    accumulator = s.edNebenkostenEUR.value() + accumulator;

    s.edNettohonorar.setValue(RoundDecimals(2, accumulator));
    s.edMwStEUR.setValue(RoundDecimals(2, s.edMwSt.value() * s.edNettohonorar.value() / 100));
    s.edBruttohonorar.setValue(RoundDecimals(2, s.edNettohonorar.value() + s.edMwStEUR.value()));
}

} // namespace zolvaric
