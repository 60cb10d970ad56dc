#pragma once

#include "ReportSheet.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// An offer of copies of the report example, one per title, each with its
// repetition number (none where the list ends). Copies without a repetition
// give the worked example's fees: net 26.526,78 €, VAT 5.040,09 €.
inline void enterOffer(CalcHarness &h, const QStringList &titles,
                       const QList<int> &repetitions = {})
{
    enterReportExample(h);
    for (int i = 0; i < titles.size(); ++i) {
        if (i > 0)
            h.offer->duplicate();
        h.offer->rename(i, titles[i]);
        h.sheet().edWiederholung.setValue(i < repetitions.size() ? repetitions[i] : 0);
    }
}

// A template's lines (HTML, or a Word part written a body element a line)
// without its offer blocks, markers included: the template before it had them.
inline QByteArray withoutOfferBlocks(const QByteArray &templateBytes)
{
    QList<QByteArray> kept;
    bool inside = false;
    for (const QByteArray &line : templateBytes.split('\n')) {
        if (line.contains("\\AngebotBeginn\\"))
            inside = true;
        if (!inside)
            kept.append(line);
        if (line.contains("\\AngebotEnde\\"))
            inside = false;
    }
    return kept.join('\n');
}
