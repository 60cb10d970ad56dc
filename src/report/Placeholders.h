#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace zolvaric {

class Calculation;
class CalculationSheet;
struct RegionalSettings;
struct OfferTotals;
struct PartSummary;

// How a value becomes text in a report.
enum class PlaceholderForm {
    Text,         // the field's text, a list's item text, a label's caption, unchanged
    Amount,       // the amount format: 1.234,56 €
    Percent,      // the percent format: 19,00%
    Costs,        // the system's currency format of the eligible costs
    Trace,        // an interpolation value in the system's currency format, two decimals;
                  // the table keys and their distances in the basis's unit
    Phase8,       // the name of work phase 8 from its caption: "8 Objektüberwachung"
    Warnings,     // the calculation's warnings, one a line; empty without any
    Rate,         // the rate's item; the free rate with its position in the span
    Points,       // the sum of the zone's evaluation points; empty when the zone was chosen by hand
    BasisCaption, // the basis field's caption without its colon: "Fläche in Hektar"
    BasisName,    // what the table counts, short: "Anrechenbare Kosten", "Fläche", …
    PhaseName // a row's phase as the window names it: "1 Vorentwurf für …", "TL a …"; empty
              // where the kind of work has no such phase
};

enum class ReportKind { Html, Word };

// One of the 96 placeholders both report templates use: "\Name\" and the
// source of its value, a field by component name, a trace value, the
// calculation's warnings or its evaluation points.
struct Placeholder
{
    QString text; // with both backslashes
    QString source;
    PlaceholderForm form;
    int htmlPosition; // 1..96
    int wordPosition; // 1..96
};

// The vocabulary in the substitution order of a report.
const QList<Placeholder> &placeholders(ReportKind kind);

// The value text of a placeholder for the sheet and trace as they are now.
// Several warnings are separated by '\n'; each report writes its own line break.
QString placeholderValue(const Placeholder &placeholder, const Calculation &calculation);

// Whether a line of an HTML template belongs to a phase the kind of work
// lacks: it holds the name placeholder of such a phase, and the report
// leaves it out, so a plan of four phases prints four rows.
bool namesMissingPhase(const QString &line, const Calculation &calculation);

// A placeholder with its value, for the replacements made in one pass from
// the left, where inserted text is never searched again.
struct PlaceholderValue
{
    QString text; // with both backslashes
    QString value;
};

// The placeholders of one calculation of an offer (\Teil.Bezeichnung\ …),
// valid inside a block repeated per calculation.
QList<PlaceholderValue> partPlaceholders(const PartSummary &part, const RegionalSettings &settings);

// The offer's totals (\AngebotNetto\, \AngebotMwStEUR\,
// \AngebotBrutto\), valid anywhere in a template.
QList<PlaceholderValue> offerTotalPlaceholders(const OfferTotals &totals,
                                               const RegionalSettings &settings);

// The placeholders of one VAT rate of an offer (\MwSt.Satz\, \MwSt.Netto\,
// \MwSt.Betrag\), valid inside a block repeated per rate.
QList<PlaceholderValue> vatPlaceholders(const OfferTotals &totals, qsizetype rate,
                                        const RegionalSettings &settings);

// The offer's letter data and the office's data (\Angebotsnummer\,
// \Angebotsdatum\, \AngebotGueltigBis\, \Anrede\, \Leistungsumfang\,
// \Zahlungsbedingungen\, \StammSteuernummer\ … \StammZahlungsbedingungen\),
// valid anywhere in a template. Empty ones mean: the date the report is
// made (today), that date plus the office's validity in weeks (default
// 4), "Sehr geehrte Damen und Herren,", the office's payment terms or else
// the sentence on § 15 HOAI. Lines are separated by '\n'; each report
// writes its own line break. The logo's name is made absolute against the
// settings file's folder.
QList<PlaceholderValue> letterPlaceholders(const CalculationSheet &sheet,
                                           const QString &settingsFile, const QDate &today);

// The payment terms when neither the offer nor the office gives any.
QString defaultPaymentTerms();

} // namespace zolvaric
