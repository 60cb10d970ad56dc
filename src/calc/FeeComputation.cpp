#include "FeeComputation.h"

#include "FeeRate.h"
#include "FeeSelection.h"
#include "SurchargeLimit.h"

#include "base/Error.h"
#include "base/NumberText.h"

namespace zolvaric {

namespace {

const TableInfo &feeTableOrThrow(int paragraph)
{
    const TableInfo *info = feeTableForParagraph(paragraph);
    if (!info) {
        throw Error(QStringLiteral("Für § %1 aus der Tabelle der Leistungsphasen gibt es keine "
                                   "Honorartafel. Bitte prüfen Sie die Tabellendatei.")
                        .arg(paragraph));
    }
    return *info;
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

int FeeComputation::currentParagraph() const
{
    const int column = m_sheet.comboHonorarparagraph.index() + 1;
    return parseInt(m_sheet.gridLeistungsphasen.table().cell(10, column));
}

WorkScope FeeComputation::currentScope() const
{
    const CalculationSheet &s = m_sheet;
    return workScope(s.gridLeistungsphasen.table(),
                     FeeSelection::tableEditionOf(s.comboHOAINorm.index()),
                     s.comboHOAINorm.currentText(), s.comboHonorarparagraph.index());
}

double FeeComputation::LookupGrundhonorar(int paragraph, int zone, double rate, double costs)
{
    InterpolationTrace &t = m_trace;
    t.clearLookup();

    const SharedTable shared = m_tables.load(feeTableOrThrow(paragraph));
    m_sheet.gridHOAI.setTable(shared);
    char16_t digits[12];
    const QStringView paragraphText = decimalDigits(paragraph, digits);
    m_sheet.edHonorartafel.setText(
        {m_sheet.comboHonorarparagraph.currentText(), u"( §", paragraphText, u")"});

    const TextTable &table = *shared;
    const int rows = table.rowCount() - 1;
    if (rows < 1) {
        throw Error(
            QStringLiteral("Die Honorartafel § %1 enthält keine Kostenzeilen.").arg(paragraph));
    }
    const auto key = [&table](int row) { return table.number(row, 0); };
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

    if (costs > last) {
        // The regulation gives no fee above its table: the fee is free to agree.
        m_warnings << QStringLiteral("Die anrechenbaren Kosten liegen über dem Tafelendwert der "
                                     "Honorartafel § %1 (%2). Das Honorar ist frei zu vereinbaren.")
                          .arg(paragraph)
                          .arg(NumberFormat::amount().format(last, m_sheet.settings()));
        return 0;
    }
    if (costs < t.K1)
        return 0;
    if (t.D2 == 0)
        return t.H1;
    return t.D3 * t.D1 / t.D2 + t.H1;
}

void FeeComputation::addAgreementNotes(double rate)
{
    const WorkScope scope = currentScope();
    if (m_sheet.comboHonorarsatz.index() == kFreeRateIndex) {
        if (const auto warning = rateLimitWarning(scope.edition, rate))
            m_warnings << *warning;
    }
    if (const auto note =
            surchargeLimitNote(scope, m_sheet.edZuschlagUmbau.value(), m_sheet.settings()))
        m_warnings << *note;
}

void FeeComputation::CalcHonorar()
{
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

    const int paragraph = currentParagraph();
    feeTableOrThrow(paragraph);
    const double costs = s.edKosten.value();
    const double rate = GetHonorarsatzProzent();
    const int zone = s.comboHonorarzone.index() + 1;

    m_trace.Grundhonorar = LookupGrundhonorar(paragraph, zone, rate, costs);
    // The notes depend on inputs only: raised here, before the nested run
    // that a changed share sum fires, they stand once.
    addAgreementNotes(rate);
    s.edHonorar100Proz.setValue(m_trace.Grundhonorar);
    s.comboParagraph.setIndex(s.comboHonorarparagraph.index());
    s.lbLP8Text.setText(paragraph == 44 || paragraph == 48
                            ? CalculationSheet::bauoberleitungCaption()
                            : CalculationSheet::objektueberwachungCaption());

    double shares = 0;
    for (const NumericField *share : s.edLP)
        shares += share->value();
    // A changed sum fires edLP1Change: one nested, identical calculation.
    s.edLPSumme.setValue(shares);

    for (int n = 0; n < 9; ++n)
        s.edLPEUR[n]->setValue(RoundDecimals(2, s.edLP[n]->value() * m_trace.Grundhonorar / 100));
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
