#pragma once

#include "CalcHarness.h"

// The worked example with an office's master data and a project's data, as
// a report sees it.
inline void enterReportExample(CalcHarness &h)
{
    enterWorkedExample(h);
    zolvaric::CalculationSheet &s = h.sheet();
    s.edZuschlagAnrechenbareKosten.setText(QStringLiteral("Abbruch"));
    const QStringList master = {"Planungsbüro Sonne",
                                "Architekten & Ingenieure",
                                "Hauptstraße 1",
                                "53111",
                                "Bonn",
                                "0228 123456",
                                "0228 123457",
                                "info@sonne.de",
                                "www.sonne.de"};
    for (int i = 0; i < 9; ++i)
        s.masterDataFields[i]->setText(master[i]);
    const QStringList project = {"Kita Regenbogen",
                                 "2026-017",
                                 "Dipl.-Ing. A. Berg",
                                 "Neubau Kindertagesstätte",
                                 "Bonn-Beuel",
                                 "Stadt Bonn",
                                 "Berliner Platz 2",
                                 "53103",
                                 "Bonn",
                                 "0228 770"};
    for (int i = 0; i < 10; ++i)
        s.projectTextFields[i]->setText(project[i]);
}
