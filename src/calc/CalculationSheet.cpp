#include "CalculationSheet.h"

#include "FeeRate.h"

namespace zolvaric {

namespace {

using Access = Field::Access;

const QStringList kEditions = {QStringLiteral("2021"), QStringLiteral("2013"),
                               QStringLiteral("2009"), QStringLiteral("2002")};

QStringList zoneItems()
{
    QStringList items;
    for (int zone = 1; zone <= 5; ++zone)
        items << QStringLiteral("Honorarzone %1").arg(zone);
    return items;
}

const QStringList kRates = {
    QStringLiteral("Höchstsatz (100%)"),       QStringLiteral("Dreiviertelsatz (75%)"),
    QStringLiteral("Mittelsatz (50%)"),        QStringLiteral("Viertelsatz (25%)"),
    QStringLiteral("Mindest-/Basissatz (0%)"), QStringLiteral("frei vereinbart")};

} // namespace

CalculationSheet::CalculationSheet(const RegionalSettings &settings)
    : m_settings(settings), m_costsFormat(NumberFormat::currencyPattern(settings)),
      m_hectareFormat(u",0.00 ha;-,0.00 ha"), m_unitsFormat(u",0.00 VE;-,0.00 VE"),
      m_countFormat(u"0"), comboHOAINorm("comboHOAINorm", Access::Input, kEditions, 0),
      comboHonorarparagraph("comboHonorarparagraph", Access::Input),
      comboHonorarzone("comboHonorarzone", Access::Input, zoneItems(), 0),
      comboHonorarsatz("comboHonorarsatz", Access::Input, kRates, kStartRateIndex),
      edHonorarsatzProz("edHonorarsatzProz", Access::Input, NumberFormat::percent(), settings),
      comboParagraph("comboParagraph", Access::ReadOnlyDisabled),
      lbKosten("lbKosten", Access::ReadOnly),
      edKosten("edKosten", Access::Input, m_costsFormat, settings),
      lbLP1("lbLP1", Access::ReadOnly), lbLP2("lbLP2", Access::ReadOnly),
      lbLP3("lbLP3", Access::ReadOnly), lbLP4("lbLP4", Access::ReadOnly),
      lbLP5("lbLP5", Access::ReadOnly), lbLP6("lbLP6", Access::ReadOnly),
      lbLP7("lbLP7", Access::ReadOnly), lbLP8("lbLP8", Access::ReadOnly),
      lbLP9("lbLP9", Access::ReadOnly), lbLP1Text("lbLP1Text", Access::ReadOnly),
      lbLP2Text("lbLP2Text", Access::ReadOnly), lbLP3Text("lbLP3Text", Access::ReadOnly),
      lbLP4Text("lbLP4Text", Access::ReadOnly), lbLP5Text("lbLP5Text", Access::ReadOnly),
      lbLP6Text("lbLP6Text", Access::ReadOnly), lbLP7Text("lbLP7Text", Access::ReadOnly),
      lbLP8Text("lbLP8Text", Access::ReadOnly), lbLP9Text("lbLP9Text", Access::ReadOnly),
      edLP1("edLP1", Access::Input, NumberFormat::percent(), settings),
      edLP2("edLP2", Access::Input, NumberFormat::percent(), settings),
      edLP3("edLP3", Access::Input, NumberFormat::percent(), settings),
      edLP4("edLP4", Access::Input, NumberFormat::percent(), settings),
      edLP5("edLP5", Access::Input, NumberFormat::percent(), settings),
      edLP6("edLP6", Access::Input, NumberFormat::percent(), settings),
      edLP7("edLP7", Access::Input, NumberFormat::percent(), settings),
      edLP8("edLP8", Access::Input, NumberFormat::percent(), settings),
      edLP9("edLP9", Access::Input, NumberFormat::percent(), settings),
      edLP1EUR("edLP1EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP2EUR("edLP2EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP3EUR("edLP3EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP4EUR("edLP4EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP5EUR("edLP5EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP6EUR("edLP6EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP7EUR("edLP7EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP8EUR("edLP8EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLP9EUR("edLP9EUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edLPSumme("edLPSumme", Access::ReadOnlyDisabled, NumberFormat::percent(), settings),
      edSummeLPEUR("edSummeLPEUR", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edHonorar100Proz("edHonorar100Proz", Access::ReadOnlyDisabled, NumberFormat::amount(),
                       settings),
      edZuschlagAnrechenbareKosten("edZuschlagAnrechenbareKosten", Access::Input),
      edZuschlagAnrechenbareKostenProz("edZuschlagAnrechenbareKostenProz", Access::Input,
                                       NumberFormat::percent(), settings),
      edZuschlagAnrechenbareKostenEUR("edZuschlagAnrechenbareKostenEUR", Access::ReadOnlyDisabled,
                                      NumberFormat::amount(), settings),
      edZeithonorar("edZeithonorar", Access::Input, NumberFormat::amount(), settings),
      edBesondereLeistung("edBesondereLeistung", Access::Input, NumberFormat::amount(), settings),
      edBesondereLeistungZeit("edBesondereLeistungZeit", Access::Input, NumberFormat::amount(),
                              settings),
      edSummeLPEUR2("edSummeLPEUR2", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edZuschlagUmbau("edZuschlagUmbau", Access::Input, NumberFormat::percent(), settings),
      edUmbauzuschlagEUR("edUmbauzuschlagEUR", Access::ReadOnlyDisabled, NumberFormat::amount(),
                         settings),
      edZwi("edZwi", Access::ReadOnlyDisabled, NumberFormat::amount(), settings),
      edNebenkosten("edNebenkosten", Access::Input, NumberFormat::percent(), settings),
      edNebenkostenEUR("edNebenkostenEUR", Access::ReadOnlyDisabled, NumberFormat::amount(),
                       settings),
      edNettohonorar("edNettohonorar", Access::ReadOnly, NumberFormat::amount(), settings),
      edMwSt("edMwSt", Access::Input, NumberFormat::percent(), settings),
      edMwStEUR("edMwStEUR", Access::ReadOnly, NumberFormat::amount(), settings),
      edBruttohonorar("edBruttohonorar", Access::ReadOnly, NumberFormat::amount(), settings),
      edHonorartafel("edHonorartafel", Access::ReadOnlyDisabled), gridHOAI("gridHOAI"),
      gridLeistungsphasen("gridLeistungsphasen"), edStammFirma("edStammFirma", Access::Input),
      edStammZusatz("edStammZusatz", Access::Input),
      edStammStrasse("edStammStrasse", Access::Input), edStammPLZ("edStammPLZ", Access::Input),
      edStammOrt("edStammOrt", Access::Input), edStammTelefon("edStammTelefon", Access::Input),
      edStammFax("edStammFax", Access::Input), edStammEmail("edStammEmail", Access::Input),
      edStammInternet("edStammInternet", Access::Input),
      edProjektbez("edProjektbez", Access::Input), edProjektnr("edProjektnr", Access::Input),
      edProjektleiter("edProjektleiter", Access::Input),
      edBauvorhaben("edBauvorhaben", Access::Input), edBauort("edBauort", Access::Input),
      edBauherrname("edBauherrname", Access::Input),
      edBauherrStrasse("edBauherrStrasse", Access::Input),
      edBauherrPLZ("edBauherrPLZ", Access::Input), edBauherrOrt("edBauherrOrt", Access::Input),
      edBauherrTelefon("edBauherrTelefon", Access::Input),
      edBezeichnung("edBezeichnung", Access::Input),
      edWiederholung("edWiederholung", Access::Input, m_countFormat, settings),
      lbWiederholung("lbWiederholung", Access::ReadOnly), lbLP{&lbLP1, &lbLP2, &lbLP3,
                                                               &lbLP4, &lbLP5, &lbLP6,
                                                               &lbLP7, &lbLP8, &lbLP9},
      lbLPText{&lbLP1Text, &lbLP2Text, &lbLP3Text, &lbLP4Text, &lbLP5Text,
               &lbLP6Text, &lbLP7Text, &lbLP8Text, &lbLP9Text},
      edLP{&edLP1, &edLP2, &edLP3, &edLP4, &edLP5, &edLP6, &edLP7, &edLP8, &edLP9},
      edLPEUR{&edLP1EUR, &edLP2EUR, &edLP3EUR, &edLP4EUR, &edLP5EUR,
              &edLP6EUR, &edLP7EUR, &edLP8EUR, &edLP9EUR},
      projectTextFields{&edProjektbez, &edProjektnr,     &edProjektleiter,  &edBauvorhaben,
                        &edBauort,     &edBauherrname,   &edBauherrStrasse, &edBauherrPLZ,
                        &edBauherrOrt, &edBauherrTelefon},
      masterDataFields{&edStammFirma, &edStammZusatz, &edStammStrasse,
                       &edStammPLZ,   &edStammOrt,    &edStammTelefon,
                       &edStammFax,   &edStammEmail,  &edStammInternet}
{
    edMwSt.setValue(19);
    edHonorarsatzProz.setValue(0);
    lbKosten.setText(basisCaption(BasisUnit::Euro));
    // The captions of the first kind of work, before any table is loaded.
    const char *const names[9] = {
        "Grundlagenermittlung",       "Vorplanung",         "Entwurfsplanung",
        "Genehmigungsplanung",        "Ausführungsplanung", "Vorbereitung der Vergabe",
        "Mitwirkung bei der Vergabe", "Objektüberwachung",  "Objektbetreuung u. Dokumentation"};
    for (int n = 0; n < 9; ++n)
        lbLPText[n]->setText(
            QStringLiteral("LP%1\t%2").arg(n + 1).arg(QString::fromUtf8(names[n])));

    // lbKosten and the row captions other than row 8 came later: they stand
    // where they do not move the fields before them.
    m_all = {&comboHOAINorm,     &comboHonorarparagraph, &comboHonorarzone, &comboHonorarsatz,
             &edHonorarsatzProz, &comboParagraph,        &lbKosten,         &edKosten,
             &edHonorar100Proz};
    for (int n = 0; n < 9; ++n)
        m_all.insert(m_all.end(), {lbLP[n], edLP[n], edLPEUR[n]});
    m_all.insert(m_all.end(), lbLPText.begin(), lbLPText.end());
    m_all.insert(m_all.end(), {&edLPSumme,
                               &edSummeLPEUR,
                               &edZuschlagAnrechenbareKosten,
                               &edZuschlagAnrechenbareKostenProz,
                               &edZuschlagAnrechenbareKostenEUR,
                               &edZeithonorar,
                               &edBesondereLeistung,
                               &edBesondereLeistungZeit,
                               &edSummeLPEUR2,
                               &edZuschlagUmbau,
                               &edUmbauzuschlagEUR,
                               &edZwi,
                               &edNebenkosten,
                               &edNebenkostenEUR,
                               &edNettohonorar,
                               &edMwSt,
                               &edMwStEUR,
                               &edBruttohonorar,
                               &edHonorartafel,
                               &gridHOAI,
                               &gridLeistungsphasen});
    m_all.insert(m_all.end(), projectTextFields.begin(), projectTextFields.end());
    m_all.insert(m_all.end(), masterDataFields.begin(), masterDataFields.end());
    m_all.insert(m_all.end(), officeDataFields.begin(), officeDataFields.end());
    m_all.insert(m_all.end(), offerDataFields.begin(), offerDataFields.end());
    m_all.insert(m_all.end(), {&edBezeichnung, &edWiederholung, &lbWiederholung});
    for (Field *f : m_all)
        if (!m_byName.contains(QLatin1String(f->name())))
            m_byName.insert(QLatin1String(f->name()), f);
}

namespace {

// How the window and the reports name the basis of each unit.
struct BasisWords
{
    const char *caption;
    const char *name;
};

BasisWords basisWords(BasisUnit unit)
{
    switch (unit) {
    case BasisUnit::Hectare:
        return {"Fläche in Hektar :", "Fläche"};
    case BasisUnit::Units:
        return {"Verrechnungseinheiten :", "Verrechnungseinheiten"};
    case BasisUnit::Euro:
        break;
    }
    return {"Anrechenbare Kosten gem. HOAI / DIN 276", "Anrechenbare Kosten"};
}

} // namespace

QString CalculationSheet::basisCaption(BasisUnit unit)
{
    return QString::fromUtf8(basisWords(unit).caption);
}

QString CalculationSheet::basisName(BasisUnit unit)
{
    return QString::fromUtf8(basisWords(unit).name);
}

QString CalculationSheet::basisUnitNote(BasisUnit unit)
{
    const char *words = unit == BasisUnit::Hectare ? "Hektar"
                        : unit == BasisUnit::Units ? "Verrechnungseinheiten"
                                                   : "Euro";
    return QStringLiteral("Die Grundlage ist jetzt in %1 – bitte prüfen").arg(QLatin1String(words));
}

void CalculationSheet::setBasisUnit(BasisUnit unit)
{
    m_basisUnit = unit;
    lbKosten.setText(basisCaption(unit));
    edKosten.setDisplayFormat(basisFormat());
}

const NumberFormat &CalculationSheet::basisFormat() const
{
    return m_basisUnit == BasisUnit::Hectare ? m_hectareFormat
           : m_basisUnit == BasisUnit::Units ? m_unitsFormat
                                             : m_costsFormat;
}

QString CalculationSheet::basisText(double value) const
{
    return basisFormat().format(value, m_settings);
}

Field *CalculationSheet::field(const QString &name) const
{
    return m_byName.value(name);
}

} // namespace zolvaric
