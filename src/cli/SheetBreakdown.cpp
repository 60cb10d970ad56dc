#include "SheetBreakdown.h"

#include "calc/Calculation.h"
#include "calc/FeeRate.h"
#include "calc/Offer.h"

#include "base/NumberFormat.h"

#include <QTextStream>

namespace zolvaric {

namespace {

constexpr int kLabelWidth = 48;
constexpr int kColumnWidth = 11;
constexpr int kAmountWidth = 16;

QString row(const QString &label, const QString &amount)
{
    return label.leftJustified(kLabelWidth + 2 * kColumnWidth) +
           amount.rightJustified(kAmountWidth) + QLatin1Char('\n');
}

QString row(const QString &label, const QString &first, const QString &second,
            const QString &amount)
{
    return label.leftJustified(kLabelWidth) + first.rightJustified(kColumnWidth) +
           second.rightJustified(kColumnWidth) + amount.rightJustified(kAmountWidth) +
           QLatin1Char('\n');
}

// The two-line captions of the window, as one line.
QString oneLine(QString caption)
{
    caption.replace(QLatin1String("-\r\n"), QString());
    caption.replace(QLatin1String(" \r\n"), QLatin1String(" "));
    caption.replace(QLatin1String("\t"), QLatin1String(" "));
    return caption;
}

} // namespace

QString sheetBreakdown(const Calculation &calculation)
{
    const CalculationSheet &s = calculation.sheet();
    QString out;
    QTextStream text(&out);

    text << "Honorarberechnung nach HOAI " << s.comboHOAINorm.currentText() << "\n\n";
    const auto basis = [&text](const QString &label, const QString &value) {
        text << label.leftJustified(kLabelWidth) << value << '\n';
    };
    for (const TextField *field : s.projectTextFields) {
        if (!field->text().isEmpty()) {
            text << "Projekt: " << s.edProjektbez.text() << '\n';
            break;
        }
    }
    basis(QStringLiteral("Honorarberechnung für :"), s.comboHonorarparagraph.currentText());
    basis(QStringLiteral("Honorartafel"), s.comboParagraph.currentText());
    QString zone = s.comboHonorarzone.currentText();
    if (!calculation.zonePoints().isEmpty())
        zone += QStringLiteral(" (%1 Bewertungspunkte)").arg(pointSum(calculation.zonePoints()));
    basis(QStringLiteral("Honorarzone :"), zone);
    basis(QStringLiteral("Honorarsatz :"), rateText(s));
    basis(s.lbKosten.text(), s.edKosten.displayText());
    text << '\n';

    text << row(QStringLiteral("Ermitteltes Grundhonorar (100%)"), s.edHonorar100Proz.displayText())
         << '\n';
    // Right below the basic fee, as in the window: why it may be 0,00 €.
    if (!calculation.warnings().isEmpty()) {
        text << "Hinweise:\n";
        for (const QString &warning : calculation.warnings())
            text << warning << '\n';
        text << '\n';
    }
    text << row(QStringLiteral("Leistungsphase"), QStringLiteral("max. %"),
                QStringLiteral("% erbr."), QStringLiteral("Honorar in €"));
    for (int n = 0; n < 9; ++n) {
        // Rows the kind of work does not have are left out.
        const QString &caption = s.lbLPText[n]->text();
        if (caption.isEmpty())
            continue;
        // The law's longest names are shortened, so that the columns stay.
        QString label = oneLine(caption);
        if (label.size() >= kLabelWidth)
            label = label.left(kLabelWidth - 2) + QStringLiteral("…");
        text << row(label, s.lbLP[n]->text(), s.edLP[n]->displayText(),
                    s.edLPEUR[n]->displayText());
    }
    text << row(QStringLiteral("Grundhonorar :"), QString(), s.edLPSumme.displayText(),
                s.edSummeLPEUR.displayText());
    text << '\n';

    text << "Zusätzliche Honorare zum Leistungsbild\n";
    QString surcharge = QStringLiteral("Zuschlag auf anrechenbare Kosten für");
    if (!s.edZuschlagAnrechenbareKosten.text().isEmpty())
        surcharge += QLatin1Char(' ') + s.edZuschlagAnrechenbareKosten.text();
    text << row(surcharge, QString(), s.edZuschlagAnrechenbareKostenProz.displayText(),
                s.edZuschlagAnrechenbareKostenEUR.displayText());
    text << row(QStringLiteral("Zeithonorar in € :"), s.edZeithonorar.displayText());
    text << row(QStringLiteral("Besondere Leistungen in € :"), s.edBesondereLeistung.displayText());
    text << row(QStringLiteral("Andere Leistungen in € :"),
                s.edBesondereLeistungZeit.displayText());
    text << row(QStringLiteral("Zuschlag für Umbau u. Modernisierung auf:"),
                s.edSummeLPEUR2.displayText(), s.edZuschlagUmbau.displayText(),
                s.edUmbauzuschlagEUR.displayText());
    text << row(QStringLiteral("Zuschlag für Nebenkosten auf Zwischensumme von:"),
                s.edZwi.displayText(), s.edNebenkosten.displayText(),
                s.edNebenkostenEUR.displayText());
    text << '\n';
    text << row(QStringLiteral("Nettohonorar"), s.edNettohonorar.displayText());
    text << row(QStringLiteral("MwSt."), QString(), s.edMwSt.displayText(),
                s.edMwStEUR.displayText());
    text << row(QStringLiteral("Bruttohonorar"), s.edBruttohonorar.displayText());
    return out;
}

QString offerBreakdown(Offer &offer)
{
    if (offer.count() == 1)
        return sheetBreakdown(offer.calculation());
    QString out;
    QTextStream text(&out);
    const int count = offer.count();
    for (int i = 0; i < count; ++i) {
        offer.select(i);
        const PartSummary part = offer.summary(i);
        QString heading = QStringLiteral("Teilhonorar %1 von %2").arg(i + 1).arg(count);
        if (!part.title.isEmpty())
            heading += QStringLiteral(": ") + part.title;
        text << heading << '\n' << QString(heading.size(), QLatin1Char('=')) << "\n\n";
        text << sheetBreakdown(offer.calculation()) << '\n';
    }
    offer.select(0);

    const RegionalSettings &settings = offer.calculation().sheet().settings();
    const auto amount = [&settings](double value) {
        return NumberFormat::amount().format(value, settings);
    };
    text << "Angebot\n=======\n\n";
    for (int i = 0; i < count; ++i) {
        const PartSummary part = offer.summary(i);
        QString label =
            QStringLiteral("%1  %2").arg(i + 1).arg(part.title.isEmpty() ? part.kind : part.title);
        if (part.repetition > 0)
            label += QStringLiteral(" (%1. Wiederholung)").arg(part.repetition);
        if (label.size() >= kLabelWidth + 2 * kColumnWidth)
            label = label.left(kLabelWidth + 2 * kColumnWidth - 2) + QStringLiteral("…");
        text << row(label, amount(part.net));
    }
    const OfferTotals totals = offer.totals();
    text << row(QStringLiteral("Nettohonorar des Angebots"), amount(totals.net));
    for (const OfferTotals::Vat &vat : totals.byRate)
        text << row(QStringLiteral("MwSt."), QString(),
                    NumberFormat::percent().format(vat.rate, settings), amount(vat.amount));
    text << row(QStringLiteral("Bruttohonorar des Angebots"), amount(totals.gross));
    return out;
}

} // namespace zolvaric
