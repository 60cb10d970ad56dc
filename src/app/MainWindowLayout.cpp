// The main window's widgets and their arrangement. Layouts, not absolute
// positions: the window reads well at its design size, larger, and with
// larger fonts.

#include "unitMain.h"

#include "OfferPanel.h"
#include "OfferTab.h"
#include "OfficeDataDialog.h"

#include "widgets/ElidedLabel.h"
#include "widgets/FieldBindings.h"
#include "widgets/GridCorner.h"
#include "widgets/NumericEdit.h"
#include "widgets/ShadowLabel.h"
#include "widgets/TableModel.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace zolvaric {

namespace {

const QString kMaroon = QStringLiteral("#800000");

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

QLabel *caption(const QString &text, bool strong = false)
{
    auto *label = new QLabel(text);
    if (strong) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: %1;").arg(kMaroon));
    }
    return label;
}

void setBold(QWidget *widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

// A computed field is only shown: no focus by Tab or click, and neither text
// cursor nor hover frame inviting to type.
void showOnly(QLineEdit *edit)
{
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setCursor(Qt::ArrowCursor);
    edit->setAttribute(Qt::WA_Hover, false);
}

// A numeric edit as its field's access says: inputs bold, computed fields
// read-only, most of them also disabled.
NumericEdit *numeric(NumericField &field, int width)
{
    auto *edit = new NumericEdit(field);
    edit->setFixedWidth(width);
    switch (field.access()) {
    case Field::Access::Input:
        setBold(edit);
        break;
    case Field::Access::ReadOnly:
        showOnly(edit);
        break;
    case Field::Access::ReadOnlyDisabled:
        showOnly(edit);
        edit->setEnabled(false);
        break;
    }
    return edit;
}

// An input of euros (or the basis in hectares or units): "450.000" is typed
// as German writes it.
NumericEdit *amount(NumericField &field, int width)
{
    NumericEdit *edit = numeric(field, width);
    edit->acceptThousandsPoints();
    return edit;
}

// The icons are small files of our own: the style's standard icons would
// decode several sizes each at start-up.
QToolButton *toolButton(const QString &name, const QString &text, const QString &icon)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(QIcon(QStringLiteral(":/app/icons/%1.png").arg(icon)));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Seven commands share the design's width: each as wide as its text.
    button->setMinimumHeight(36);
    button->setAutoRaise(true);
    return button;
}

QFrame *separator()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QTableView *gridView(TableField &field, int columnWidth, bool resizable)
{
    auto *view = new QTableView;
    view->setObjectName(QLatin1String(field.name()));
    auto *model = new TableModel(field, view);
    view->setModel(model);
    new GridCorner(view, model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->horizontalHeader()->setDefaultSectionSize(columnWidth);
    view->horizontalHeader()->setSectionResizeMode(resizable ? QHeaderView::Interactive
                                                             : QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(18);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    view->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return view;
}

} // namespace

void TfrmMain::buildWindow()
{
    setObjectName(QStringLiteral("frmMain"));
    // The design's 8 point, in the system's UI font ("MS Sans Serif" is missing here).
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(buildToolbar());
    layout->addSpacing(5);

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    // On a laptop screen the calculation is taller than the window can be:
    // the tab scrolls, so the totals stay reachable.
    m_calculationScroll = new QScrollArea;
    m_calculationScroll->setObjectName(QStringLiteral("CalculationScroll"));
    m_calculationScroll->setFrameShape(QFrame::NoFrame);
    m_calculationScroll->setWidgetResizable(true);
    m_calculationScroll->setWidget(buildCalculationTab());
    PageControl1->addTab(m_calculationScroll, QStringLiteral("Honorarberechnung"));
    // The two table tabs are filled when first chosen: most sessions never
    // open them, and start-up stays short.
    PageControl1->addTab(new QWidget, QStringLiteral("HOAI-Tabelle"));
    PageControl1->addTab(new QWidget, QStringLiteral("Leistungsphasen"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmMain::fillTableTab);
    m_offerTab = new OfferTab(*m_offer, m_calculation->sheet());
    PageControl1->addTab(m_offerTab, QStringLiteral("Angebot"));
    layout->addWidget(PageControl1, 1);
    setCentralWidget(central);

    auto *statusBar = new QStatusBar;
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar->addWidget(m_status, 1);
    setStatusBar(statusBar);
    // The design's client area; the frame around it is the window manager's.
    resize(870, 860);
}

QWidget *TfrmMain::buildHeader()
{
    auto *header = new QFrame;
    header->setObjectName(QStringLiteral("Header"));
    header->setAutoFillBackground(true);
    header->setStyleSheet(QStringLiteral("#Header { background: rgb(240, 251, 255); }"));
    header->setMinimumHeight(61);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(10, 4, 10, 4);

    // The name with the version and the update link right of it, the
    // subtitle below both.
    auto *titles = new QVBoxLayout;
    auto *nameLine = new QHBoxLayout;
    nameLine->setSpacing(12);
    auto *name = new ShadowLabel(QStringLiteral("Zolvaric"), 26);
    name->setObjectName(QStringLiteral("lbProgramName"));
    lbVersion = new QLabel(QStringLiteral("Version"));
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    auto *update = new QLabel(QStringLiteral("<a href=\"update\">Auf Update prüfen</a>"));
    update->setObjectName(QStringLiteral("ProUrlLabel4"));
    update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(update, &QLabel::linkActivated, this, [this] {
        if (m_services.updateCheck)
            m_services.updateCheck();
    });
    nameLine->addWidget(name);
    nameLine->addSpacing(24);
    nameLine->addWidget(lbVersion);
    nameLine->addWidget(update);
    nameLine->addStretch(1);
    auto *subtitle =
        caption(QStringLiteral("für Gebäude, Ausbauten, Freianlagen, Ingenieurbauwerke, "
                               "Verkehrsanlagen und Tragwerksplanung"));
    setBold(subtitle);
    subtitle->setWordWrap(true);
    titles->addLayout(nameLine);
    titles->addWidget(subtitle);
    row->addLayout(titles, 1);

    auto *maker = new QLabel(QStringLiteral("Quorvel-Software<br>Software für Planungsbüros<br>"
                                            "<a href=\"https://www.quorvel-software.de\">"
                                            "www.quorvel-software.de</a>"));
    maker->setObjectName(QStringLiteral("lbMaker"));
    maker->setAlignment(Qt::AlignCenter);
    maker->setFixedWidth(279);
    maker->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(maker, &QLabel::linkActivated, this, [this](const QString &link) {
        m_services.desktop->ShellOpen(link, QString(), QString(), 1);
    });
    row->addWidget(maker);
    return header;
}

QWidget *TfrmMain::buildToolbar()
{
    auto *toolbar = new QWidget;
    toolbar->setMinimumHeight(38);
    auto *row = new QHBoxLayout(toolbar);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(0);
    cmdLoadProjekt = toolButton(QStringLiteral("cmdLoadProjekt"), QStringLiteral("Projekt &laden"),
                                QStringLiteral("projekt-laden"));
    cmdSaveProjekt =
        toolButton(QStringLiteral("cmdSaveProjekt"), QStringLiteral("Projekt &speichern"),
                   QStringLiteral("projekt-speichern"));
    cmdPrintHonorarDOC =
        toolButton(QStringLiteral("cmdPrintHonorarDOC"), QStringLiteral("Projekt drucken (&DOC)"),
                   QStringLiteral("drucken-doc"));
    cmdPrintHonorarHTML =
        toolButton(QStringLiteral("cmdPrintHonorarHTML"), QStringLiteral("Projekt drucken (&HTML)"),
                   QStringLiteral("drucken-html"));
    cmdSaveHonorarPDF =
        toolButton(QStringLiteral("cmdSaveHonorarPDF"), QStringLiteral("&PDF speichern"),
                   QStringLiteral("pdf-speichern"));
    cmdPrintHonorar = toolButton(QStringLiteral("cmdPrintHonorar"), QStringLiteral("Drucken …"),
                                 QStringLiteral("drucken"));
    // The printer says what it does; the design's width has no room for
    // its text beside the six others.
    cmdPrintHonorar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    cmdPrintHonorar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    cmdPrintHonorar->setToolTip(QStringLiteral("Drucken … (Strg+P): das Honorarangebot mit "
                                               "Vorschau drucken"));
    cmdInfo = toolButton(QStringLiteral("cmdInfo"), QStringLiteral("&Info über ..."),
                         QStringLiteral("info"));
    connect(cmdLoadProjekt, &QToolButton::clicked, this, &TfrmMain::cmdLoadProjektClick);
    connect(cmdSaveProjekt, &QToolButton::clicked, this, &TfrmMain::cmdSaveProjektClick);
    connect(cmdPrintHonorarDOC, &QToolButton::clicked, this, &TfrmMain::cmdPrintHonorarDOCClick);
    connect(cmdPrintHonorarHTML, &QToolButton::clicked, this, &TfrmMain::cmdPrintHonorarHTMLClick);
    connect(cmdSaveHonorarPDF, &QToolButton::clicked, this, &TfrmMain::cmdSaveHonorarPDFClick);
    connect(cmdPrintHonorar, &QToolButton::clicked, this, &TfrmMain::cmdPrintHonorarClick);
    connect(cmdInfo, &QToolButton::clicked, this, &TfrmMain::cmdInfoClick);
    row->addWidget(cmdLoadProjekt);
    row->addWidget(separator());
    row->addWidget(cmdSaveProjekt);
    row->addWidget(separator());
    row->addWidget(cmdPrintHonorarDOC);
    row->addWidget(separator());
    row->addWidget(cmdPrintHonorarHTML);
    row->addWidget(separator());
    row->addWidget(cmdSaveHonorarPDF);
    row->addWidget(cmdPrintHonorar);
    row->addStretch(1);
    row->addWidget(cmdInfo);
    return toolbar;
}

QWidget *TfrmMain::buildCalculationTab()
{
    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setOpaqueResize(true);
    grpStammdaten = buildMasterDataGroup();
    grpCalcHOAI = buildCalculationGroup();
    Splitter1->addWidget(grpStammdaten);
    Splitter1->addWidget(grpCalcHOAI);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    // The limits of the drag: at least 358 pixels of master data, and 500
    // pixels of the client width for the splitter and the calculation.
    grpStammdaten->setMinimumWidth(358);
    grpCalcHOAI->setMinimumWidth(500 - Splitter1->handleWidth());
    Splitter1->setSizes({363, 500});
    return Splitter1;
}

QGroupBox *TfrmMain::buildMasterDataGroup()
{
    CalculationSheet &s = m_calculation->sheet();
    auto *group = new QGroupBox;
    group->setObjectName(QStringLiteral("grpStammdaten"));
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    int row = 0;
    const auto add = [&](const QString &label, TextField &field, int width = 240) {
        auto *edit = new TextEdit(field);
        edit->setMaximumWidth(width);
        grid->addWidget(caption(label), row, 0);
        grid->addWidget(edit, row++, 1);
        m_masterDataOrder << edit;
        return edit;
    };
    const auto addPostcodeTown = [&](const QString &label, TextField &postcode, TextField &town) {
        auto *pair = new QWidget;
        auto *line = new QHBoxLayout(pair);
        line->setContentsMargins(0, 0, 0, 0);
        auto *code = new TextEdit(postcode);
        code->setFixedWidth(45);
        auto *place = new TextEdit(town);
        place->setMaximumWidth(195);
        line->addWidget(code);
        line->addWidget(place, 1);
        grid->addWidget(caption(label), row, 0);
        grid->addWidget(pair, row++, 1);
        m_masterDataOrder << code << place;
    };
    grid->addWidget(heading(QStringLiteral("Stammdaten")), row++, 0, 1, 2);
    add(QStringLiteral("Firmenname :"), s.edStammFirma);
    add(QStringLiteral("Zusatz :"), s.edStammZusatz);
    add(QStringLiteral("Strasse :"), s.edStammStrasse);
    addPostcodeTown(QStringLiteral("PLZ / Ort :"), s.edStammPLZ, s.edStammOrt);
    add(QStringLiteral("Telefon :"), s.edStammTelefon);
    add(QStringLiteral("Fax :"), s.edStammFax);
    add(QStringLiteral("Email :"), s.edStammEmail);
    add(QStringLiteral("Internet :"), s.edStammInternet);
    auto *letterData = new QPushButton(QStringLiteral("Briefdat&en des Büros …"));
    letterData->setObjectName(QStringLiteral("cmdBriefdaten"));
    letterData->setToolTip(QStringLiteral("Steuernummer, Bankverbindung, Unterzeichner, Logo, "
                                          "Gültigkeit und Zahlungsbedingungen der Angebote"));
    connect(letterData, &QPushButton::clicked, this, [this] {
        OfficeDataDialog dialog(m_calculation->sheet(), m_run.settingsFile, this);
        dialog.exec();
    });
    grid->addWidget(letterData, row++, 1, Qt::AlignLeft);
    m_masterDataOrder << letterData;
    grid->setRowMinimumHeight(row++, 10);
    grid->addWidget(heading(QStringLiteral("Projektdaten")), row++, 0, 1, 2);
    add(QStringLiteral("Projektbezeichnung :"), s.edProjektbez);
    add(QStringLiteral("Projektnummer :"), s.edProjektnr);
    add(QStringLiteral("Projektleiter :"), s.edProjektleiter);
    add(QStringLiteral("Bauvorhaben :"), s.edBauvorhaben);
    add(QStringLiteral("Bauort :"), s.edBauort);
    add(QStringLiteral("Bauherr Name :"), s.edBauherrname);
    add(QStringLiteral("    Strasse : "), s.edBauherrStrasse);
    addPostcodeTown(QStringLiteral("    PLZ / Ort :"), s.edBauherrPLZ, s.edBauherrOrt);
    add(QStringLiteral("    Telefon :"), s.edBauherrTelefon);
    // Below the project: its calculations, the edited one marked.
    grid->setRowMinimumHeight(row++, 10);
    m_offerPanel = new OfferPanel(*m_offer, *m_services.desktop);
    grid->addWidget(m_offerPanel, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    return group;
}

QGroupBox *TfrmMain::buildCalculationGroup()
{
    CalculationSheet &s = m_calculation->sheet();
    auto *group = new QGroupBox;
    group->setObjectName(QStringLiteral("grpCalcHOAI"));
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(1, 109);
    // Columns: 0 labels, 1 maximum shares or base amounts, 2 percentages, 3 euros.
    constexpr int kShares = 1, kBase = 1, kPercent = 2, kEuro = 3;
    constexpr int kListWidth = 180, kPercentWidth = 58, kEuroWidth = 120, kBaseWidth = 109;
    // The law's longest phase names end in "…" beyond this width.
    constexpr int kPhaseNameWidth = 240;
    int row = 0;
    const auto input = [this](QWidget *widget) {
        m_calculationOrder << widget;
        return widget;
    };
    // A list, with the input that belongs to it beside it.
    const auto list = [&](const QString &label, ChoiceField &field,
                          QWidget *beside = nullptr) -> ChoiceBox * {
        auto *box = new ChoiceBox(field);
        box->setFixedWidth(kListWidth);
        setBold(box);
        if (field.access() == Field::Access::ReadOnlyDisabled)
            box->setEnabled(false);
        else
            input(box);
        auto *line = new QHBoxLayout;
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(box);
        if (beside)
            line->addWidget(input(beside));
        line->addStretch(1);
        grid->addWidget(caption(label), row, 0);
        grid->addLayout(line, row++, kShares, 1, 3);
        return box;
    };

    cmdHonorarzonePunkte = new QToolButton;
    cmdHonorarzonePunkte->setObjectName(QStringLiteral("cmdHonorarzonePunkte"));
    cmdHonorarzonePunkte->setText(QStringLiteral("Punkte …"));
    connect(cmdHonorarzonePunkte, &QToolButton::clicked, this,
            &TfrmMain::cmdHonorarzonePunkteClick);
    edHonorarsatzProz = numeric(s.edHonorarsatzProz, kPercentWidth);

    grid->addWidget(heading(QStringLiteral("Grundlage der Berechnung")), row++, 0, 1, 4);
    list(QStringLiteral("HOAI-Norm von :"), s.comboHOAINorm);
    list(QStringLiteral("Honorarberechnung für :"), s.comboHonorarparagraph);
    comboHonorarzone =
        list(QStringLiteral("Honorarzone :"), s.comboHonorarzone, cmdHonorarzonePunkte);
    list(QStringLiteral("Honorarsatz :"), s.comboHonorarsatz, edHonorarsatzProz);
    // Beside the fee table, which is only shown: which repetition of an
    // essentially equal object this is (§ 11).
    auto *repetition = new QWidget;
    auto *repetitionLine = new QHBoxLayout(repetition);
    repetitionLine->setContentsMargins(8, 0, 0, 0);
    auto *repetitionLabel = caption(QStringLiteral("&Wiederholung :"));
    auto *repetitionEdit = numeric(s.edWiederholung, 40);
    edWiederholung = repetitionEdit;
    // What the field shows is what is computed: no fraction, no minus.
    repetitionEdit->acceptWholeNumbersOnly();
    repetitionLabel->setBuddy(repetitionEdit);
    repetitionLine->addWidget(repetitionLabel);
    repetitionLine->addWidget(repetitionEdit);
    list(QStringLiteral("Honorartafel"), s.comboParagraph, repetition);
    m_calculationOrder.removeOne(repetition);
    m_calculationOrder << repetitionEdit;
    // Costs, hectares or units, as the fee table counts.
    // Below the caption, after a change of the kind of work to another unit
    // and until the basis is written anew, a note to check it.
    auto *basisCaption = new QVBoxLayout;
    basisCaption->setContentsMargins(0, 0, 0, 0);
    basisCaption->setSpacing(0);
    basisCaption->addWidget(new FieldLabel(s.lbKosten));
    lbGrundlageHinweis = new QLabel;
    lbGrundlageHinweis->setObjectName(QStringLiteral("lbGrundlageHinweis"));
    lbGrundlageHinweis->setStyleSheet(QStringLiteral("color: red;"));
    lbGrundlageHinweis->hide();
    basisCaption->addWidget(lbGrundlageHinweis);
    grid->addLayout(basisCaption, row, 0, 1, 3);
    grid->addWidget(input(amount(s.edKosten, kEuroWidth)), row++, kEuro, Qt::AlignTop);

    grid->setRowMinimumHeight(row++, 6);
    grid->addWidget(heading(QStringLiteral("Ermitteltes Grundhonorar (100%)")), row, 0, 1, 3);
    grid->addWidget(numeric(s.edHonorar100Proz, kEuroWidth), row++, kEuro);
    lbWarning = new QLabel;
    lbWarning->setObjectName(QStringLiteral("lbWarning"));
    lbWarning->setWordWrap(true);
    lbWarning->setStyleSheet(QStringLiteral("color: red;"));
    lbWarning->hide();
    grid->addWidget(lbWarning, row++, 0, 1, 4);

    grid->setRowMinimumHeight(row++, 6);
    grid->addWidget(heading(QStringLiteral("Angebotene Grundleistungen")), row++, 0, 1, 4);
    lbWiederholung = new FieldLabel(s.lbWiederholung);
    lbWiederholung->setWordWrap(true);
    lbWiederholung->setStyleSheet(QStringLiteral("color: %1;").arg(kMaroon));
    lbWiederholung->hide();
    grid->addWidget(lbWiederholung, row++, 0, 1, 4);
    auto *phaseHead = caption(QStringLiteral("Leistungsphase"));
    auto *maxHead = caption(QStringLiteral("max. % \nlt. HOAI"));
    maxHead->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    auto *doneHead = caption(QStringLiteral("% erbr. \nLeistung"));
    doneHead->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    auto *euroHead = caption(QStringLiteral("Honorar in €"));
    euroHead->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(phaseHead, row, 0, Qt::AlignBottom);
    grid->addWidget(maxHead, row, kShares);
    grid->addWidget(doneHead, row, kPercent);
    grid->addWidget(euroHead, row++, kEuro);
    for (int n = 0; n < 9; ++n) {
        // "LPn", the name in one column as the caption's tab aligns it, and
        // the maximum share at the right, over the width of the first columns.
        auto *phase = new QWidget;
        auto *line = new QHBoxLayout(phase);
        line->setContentsMargins(0, 0, 0, 0);
        auto *number = caption(QString());
        number->setObjectName(QStringLiteral("lbLP%1Nummer").arg(n + 1));
        number->setFixedWidth(36);
        line->addWidget(number);
        auto *name = new ElidedLabel(kPhaseNameWidth);
        name->setObjectName(QLatin1String(s.lbLPText[n]->name()));
        line->addWidget(name, 1);
        auto *maximum = new FieldLabel(*s.lbLP[n]);
        maximum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        maximum->setMinimumWidth(40);
        line->addWidget(maximum);
        auto *share = input(numeric(*s.edLP[n], kPercentWidth));
        auto *amount = numeric(*s.edLPEUR[n], kEuroWidth);
        grid->addWidget(phase, row, 0, 1, 2);
        grid->addWidget(share, row, kPercent);
        grid->addWidget(amount, row++, kEuro);
        // A row the kind of work does not have is hidden (its caption is empty).
        TextField &captionField = *s.lbLPText[n];
        const auto show = [&captionField, number, name, phase, share, amount] {
            const QString &text = captionField.text();
            number->setText(text.section(QLatin1Char('\t'), 0, 0));
            name->setFullText(text.section(QLatin1Char('\t'), 1));
            for (QWidget *part : std::initializer_list<QWidget *>{phase, share, amount})
                part->setVisible(!text.isEmpty());
        };
        captionField.setViewObserver(show);
        show();
    }
    grid->addWidget(caption(QStringLiteral("Grundhonorar :")), row, 0);
    auto *initLP = new QToolButton;
    initLP->setObjectName(QStringLiteral("cmdInitLP"));
    initLP->setText(QStringLiteral(">>"));
    initLP->setFixedSize(31, 17);
    initLP->setToolTip(QStringLiteral("Maximalprozentwerte laut HOAI zur Berechnung übernehmen "
                                      "(eigene Werte werden überschrieben)"));
    connect(initLP, &QToolButton::clicked, this, [this] { m_calculation->cmdInitLPClick(); });
    grid->addWidget(input(initLP), row, kBase, Qt::AlignRight);
    auto *sum = numeric(s.edLPSumme, kPercentWidth);
    setBold(sum);
    grid->addWidget(sum, row, kPercent);
    auto *basic = numeric(s.edSummeLPEUR, kEuroWidth);
    setBold(basic);
    grid->addWidget(basic, row++, kEuro);

    grid->setRowMinimumHeight(row++, 6);
    grid->addWidget(heading(QStringLiteral("Zusätzliche Honorare zum Leistungsbild")), row++, 0, 1,
                    4);
    grid->addWidget(caption(QStringLiteral("Zuschlag auf anrechen-\nbare Kosten für")), row, 0);
    auto *surchargeText = new TextEdit(s.edZuschlagAnrechenbareKosten);
    grid->addWidget(input(surchargeText), row, kShares);
    grid->addWidget(input(numeric(s.edZuschlagAnrechenbareKostenProz, kPercentWidth)), row,
                    kPercent);
    grid->addWidget(numeric(s.edZuschlagAnrechenbareKostenEUR, kEuroWidth), row++, kEuro);
    const auto euroRow = [&](const QString &label, NumericField &field) {
        grid->addWidget(caption(label), row, 0);
        grid->addWidget(input(amount(field, kEuroWidth)), row++, kEuro);
    };
    euroRow(QStringLiteral("Zeithonorar in € :"), s.edZeithonorar);
    euroRow(QStringLiteral("Besondere Leistungen in € :"), s.edBesondereLeistung);
    euroRow(QStringLiteral("Andere Leistungen in € :"), s.edBesondereLeistungZeit);
    const auto baseRow = [&](const QString &label, NumericField &base, NumericField &percent,
                             NumericField &amount) {
        grid->addWidget(caption(label), row, 0);
        grid->addWidget(numeric(base, kBaseWidth), row, kBase);
        auto *edit = numeric(percent, kPercentWidth);
        grid->addWidget(input(edit), row, kPercent);
        grid->addWidget(numeric(amount, kEuroWidth), row++, kEuro);
        return edit;
    };
    edZuschlagUmbau = baseRow(QStringLiteral("Zuschlag für Umbau \nu. Modernisierung auf:"),
                              s.edSummeLPEUR2, s.edZuschlagUmbau, s.edUmbauzuschlagEUR);
    baseRow(QStringLiteral("Zuschlag für Nebenkosten \nauf Zwischensumme von:"), s.edZwi,
            s.edNebenkosten, s.edNebenkostenEUR);
    const auto total = [&](const QString &label, NumericField &field, bool strong) {
        grid->addWidget(caption(label, strong), row, 0);
        auto *edit = numeric(field, kEuroWidth);
        if (strong) {
            setBold(edit);
            edit->setStyleSheet(QStringLiteral("color: %1;").arg(kMaroon));
        }
        grid->addWidget(edit, row++, kEuro);
    };
    total(QStringLiteral("Nettohonorar "), s.edNettohonorar, true);
    grid->addWidget(caption(QStringLiteral("MwSt. ")), row, 0);
    grid->addWidget(input(numeric(s.edMwSt, kPercentWidth)), row, kPercent);
    grid->addWidget(numeric(s.edMwStEUR, kEuroWidth), row++, kEuro);
    total(QStringLiteral("Bruttohonorar "), s.edBruttohonorar, true);

    auto *disclaimer = new QLabel(QStringLiteral(
        "Trotz sorgfältigster Prüfung kann für die Richtigkeit der zugrundeliegenden Daten und die "
        "Ergebnisse keine  Haftung und keine Gewähr übernommen werden."));
    disclaimer->setObjectName(QStringLiteral("lbDisclaimer"));
    disclaimer->setWordWrap(true);
    disclaimer->setAlignment(Qt::AlignCenter);
    disclaimer->setStyleSheet(QStringLiteral("color: red;"));
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(disclaimer, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    return group;
}

void TfrmMain::fillTableTab(int index)
{
    QWidget *tab = PageControl1->widget(index);
    if (tab->layout())
        return;
    if (index == 1)
        fillFeeTableTab(tab);
    else if (index == 2)
        fillWorkPhaseTab(tab);
}

void TfrmMain::fillFeeTableTab(QWidget *tab)
{
    CalculationSheet &s = m_calculation->sheet();
    auto *layout = new QVBoxLayout(tab);
    auto *top = new QGroupBox;
    auto *line = new QHBoxLayout(top);
    line->addWidget(caption(QStringLiteral("Aktuelle Honorartafel")));
    auto *name = new TextEdit(s.edHonorartafel);
    name->setReadOnly(true);
    name->setEnabled(false);
    name->setFixedWidth(518);
    line->addWidget(name);
    line->addStretch(1);
    layout->addWidget(top);
    QTableView *view = gridView(s.gridHOAI, 80, true);
    auto *model = static_cast<TableModel *>(view->model());
    model->showKeysAsNumbers(s.settings());
    // Only the zones the table has, and the heading of its keys whole.
    const auto fit = [view, model, &s] {
        const int zones = feeTableZones(s.gridHOAI.table());
        for (int column = 0; column < model->columnCount(); ++column)
            view->setColumnHidden(column, zones > 0 && column >= 2 * zones);
        view->verticalHeader()->setMinimumWidth(
            view->verticalHeader()->fontMetrics().horizontalAdvance(model->cornerText()) + 16);
    };
    connect(model, &QAbstractItemModel::modelReset, view, fit);
    fit();
    layout->addWidget(view, 1);
}

void TfrmMain::fillWorkPhaseTab(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(gridView(m_calculation->sheet().gridLeistungsphasen, 120, false));
}

void TfrmMain::setKeyboardOrder()
{
    // The calculation first, then the master data; top to bottom, left to right.
    QList<QWidget *> order = m_calculationOrder + m_masterDataOrder + m_offerPanel->inputs();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace zolvaric
