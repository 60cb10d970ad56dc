#pragma once

#include "Fields.h"
#include "TableCatalog.h"

#include "base/NumberFormat.h"

#include <QHash>

#include <array>
#include <vector>

namespace zolvaric {

// Every input and result of one fee calculation, each field named by its
// window component, with the initial values the window starts with.
class CalculationSheet
{
public:
    explicit CalculationSheet(const RegionalSettings &settings);
    CalculationSheet(const CalculationSheet &) = delete;
    CalculationSheet &operator=(const CalculationSheet &) = delete;

    const RegionalSettings &settings() const { return m_settings; }

    // The captions of the basis field, by what the fee table counts.
    static QString basisCaption(BasisUnit unit);
    // The same, short, for a column head: "Anrechenbare Kosten", "Fläche", …
    static QString basisName(BasisUnit unit);
    // The note after the kind of work changed the basis's unit: "Die
    // Grundlage ist jetzt in Hektar – bitte prüfen".
    static QString basisUnitNote(BasisUnit unit);
    // Shows the basis (edKosten, lbKosten) in the unit of the fee table.
    void setBasisUnit(BasisUnit unit);
    BasisUnit basisUnit() const { return m_basisUnit; }
    // The basis in its unit, as edKosten shows it.
    QString basisText(double value) const;

private:
    const NumberFormat &basisFormat() const;

    const RegionalSettings &m_settings;
    const NumberFormat m_costsFormat;
    const NumberFormat m_hectareFormat;
    const NumberFormat m_unitsFormat;
    const NumberFormat m_countFormat;
    BasisUnit m_basisUnit = BasisUnit::Euro;

public:
    using Access = Field::Access;

    // Basis of the calculation.
    ChoiceField comboHOAINorm;
    ChoiceField comboHonorarparagraph;
    ChoiceField comboHonorarzone;
    ChoiceField comboHonorarsatz;
    // The rate as a position within the span: 0 the "von" fee, 100 the "bis"
    // fee; typed for the free rate, the fixed rate's percentage otherwise.
    NumericField edHonorarsatzProz;
    ChoiceField comboParagraph;
    TextField lbKosten; // the caption of the basis: costs, hectares or units
    NumericField edKosten;

    // Work phases.
    TextField lbLP1, lbLP2, lbLP3, lbLP4, lbLP5, lbLP6, lbLP7, lbLP8, lbLP9;
    // Row captions, "LP1\tGrundlagenermittlung"; empty for a row the kind
    // of work does not have, which the window hides.
    TextField lbLP1Text, lbLP2Text, lbLP3Text, lbLP4Text, lbLP5Text, lbLP6Text, lbLP7Text,
        lbLP8Text, lbLP9Text;
    NumericField edLP1, edLP2, edLP3, edLP4, edLP5, edLP6, edLP7, edLP8, edLP9;
    NumericField edLP1EUR, edLP2EUR, edLP3EUR, edLP4EUR, edLP5EUR, edLP6EUR, edLP7EUR, edLP8EUR,
        edLP9EUR;
    NumericField edLPSumme;
    NumericField edSummeLPEUR;
    NumericField edHonorar100Proz;

    // Additional fees and totals.
    TextField edZuschlagAnrechenbareKosten;
    NumericField edZuschlagAnrechenbareKostenProz;
    NumericField edZuschlagAnrechenbareKostenEUR;
    NumericField edZeithonorar;
    NumericField edBesondereLeistung;
    NumericField edBesondereLeistungZeit;
    NumericField edSummeLPEUR2;
    NumericField edZuschlagUmbau;
    NumericField edUmbauzuschlagEUR;
    NumericField edZwi;
    NumericField edNebenkosten;
    NumericField edNebenkostenEUR;
    NumericField edNettohonorar;
    NumericField edMwSt;
    NumericField edMwStEUR;
    NumericField edBruttohonorar;

    // Tables.
    TextField edHonorartafel;
    TableField gridHOAI;
    TableField gridLeistungsphasen;

    // The office's master data.
    TextField edStammFirma, edStammZusatz, edStammStrasse, edStammPLZ, edStammOrt, edStammTelefon,
        edStammFax, edStammEmail, edStammInternet;

    // The office's data for its letters (tax, bank, signer, logo, default
    // validity and payment terms), kept beside the master data.
    TextField edStammSteuernummer{"edStammSteuernummer", Access::Input};
    TextField edStammUStIdNr{"edStammUStIdNr", Access::Input};
    TextField edStammIBAN{"edStammIBAN", Access::Input};
    TextField edStammBIC{"edStammBIC", Access::Input};
    TextField edStammBank{"edStammBank", Access::Input};
    TextField edStammKammer{"edStammKammer", Access::Input};
    TextField edStammAnsprechpartner{"edStammAnsprechpartner", Access::Input};
    TextField edStammUnterzeichner{"edStammUnterzeichner", Access::Input};
    TextField edStammUnterzeichnerFunktion{"edStammUnterzeichnerFunktion", Access::Input};
    TextField edStammLogo{"edStammLogo", Access::Input};
    TextField edStammGueltigkeitWochen{"edStammGueltigkeitWochen", Access::Input};
    TextField edStammZahlungsbedingungen{"edStammZahlungsbedingungen", Access::Input};

    // Project data.
    TextField edProjektbez, edProjektnr, edProjektleiter, edBauvorhaben, edBauort, edBauherrname,
        edBauherrStrasse, edBauherrPLZ, edBauherrOrt, edBauherrTelefon;

    // The offer as a letter: its number, date (TT.MM.JJJJ) and validity
    // date (empty: from the date and the office's validity), salutation, the
    // scope offered and payment terms (several lines each).
    TextField edAngebotsnummer{"edAngebotsnummer", Access::Input};
    TextField edAngebotsdatum{"edAngebotsdatum", Access::Input};
    TextField edAngebotGueltigBis{"edAngebotGueltigBis", Access::Input};
    TextField edAnrede{"edAnrede", Access::Input};
    TextField edLeistungsumfang{"edLeistungsumfang", Access::Input};
    TextField edZahlungsbedingungen{"edZahlungsbedingungen", Access::Input};

    // The calculation within the offer: its title, and which repetition of
    // an essentially equal object it is (0: none), with the reduction of the
    // early phases' shares that follows, as text; empty without one.
    TextField edBezeichnung;
    NumericField edWiederholung;
    TextField lbWiederholung;

    // The nine rows, index 0 for LP1.
    const std::array<TextField *, 9> lbLP;
    const std::array<TextField *, 9> lbLPText;
    const std::array<NumericField *, 9> edLP;
    const std::array<NumericField *, 9> edLPEUR;

    // The ten project-data fields in project-file order.
    const std::array<TextField *, 10> projectTextFields;
    // The nine master-data fields in settings-file order.
    const std::array<TextField *, 9> masterDataFields;
    // The office's letter data in settings-file order.
    const std::array<TextField *, 12> officeDataFields{&edStammSteuernummer,
                                                       &edStammUStIdNr,
                                                       &edStammIBAN,
                                                       &edStammBIC,
                                                       &edStammBank,
                                                       &edStammKammer,
                                                       &edStammAnsprechpartner,
                                                       &edStammUnterzeichner,
                                                       &edStammUnterzeichnerFunktion,
                                                       &edStammLogo,
                                                       &edStammGueltigkeitWochen,
                                                       &edStammZahlungsbedingungen};
    // The offer's letter data in project-file order.
    const std::array<TextField *, 6> offerDataFields{&edAngebotsnummer,    &edAngebotsdatum,
                                                     &edAngebotGueltigBis, &edAnrede,
                                                     &edLeistungsumfang,   &edZahlungsbedingungen};

    // Every field, in the order of the window from top to bottom.
    const std::vector<Field *> &allFields() const { return m_all; }
    Field *field(const QString &name) const;

private:
    std::vector<Field *> m_all;
    // A project load looks up dozens of fields for each of its calculations.
    QHash<QString, Field *> m_byName;
};

} // namespace zolvaric
