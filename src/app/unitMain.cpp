#include "unitMain.h"

#include "OfferPanel.h"
#include "OfferTab.h"
#include "WindowPlacement.h"
#include "WindowReportProgress.h"
#include "unitInfo.h"
#include "unitPunkte.h"
#include "unitWait.h"

#include "base/Paths.h"
#include "base/VersionInfo.h"
#include "calc/FeeRate.h"
#include "calc/Repetition.h"
#include "calc/SurchargeLimit.h"
#include "persist/MasterData.h"
#include "persist/ProjectFile.h"
#include "persist/SettingsLocation.h"
#include "report/AutomationServers.h"
#include "report/HtmlReport.h"
#include "report/WordReport.h"
#include "report/paper/PdfReport.h"
#include "widgets/FieldBindings.h"
#include "widgets/NumericEdit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace zolvaric {

TfrmMain::TfrmMain(const RegionalSettings &settings, ProgramRun &run, Services services,
                   QWidget *parent)
    : QMainWindow(parent), m_run(run), m_services(std::move(services)),
      m_calculation(std::make_unique<Calculation>(settings, run, *m_services.desktop)),
      m_offer(std::make_unique<Offer>(*m_calculation))
{
    buildWindow();
    setKeyboardOrder();
    m_wait = new TfrmWait(this);
    // The warning about costs above the fee table stands beside the full fee
    // until a calculation inside the table; no box interrupts the typing.
    m_calculation->setActionListener([this] {
        showWarnings();
        showFeeAgreement();
        showOffer();
    });
    connect(m_offerPanel, &OfferPanel::offerChanged, this, [this] {
        showWarnings();
        showFeeAgreement();
        showOffer();
    });
    connect(m_offerTab, &OfferTab::openRequested, this, &TfrmMain::openCalculation);

    // The scroll area by itself only brings an edit's cursor into view, and
    // the frame of a field at the viewport's edge stays cut: the whole field
    // with the focus comes into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now)
            return;
        QWidget *content = m_calculationScroll->widget();
        if (!content->isAncestorOf(now))
            return;
        const QPoint centre = now->mapTo(content, now->rect().center());
        m_calculationScroll->ensureVisible(centre.x(), centre.y(), now->width() / 2 + 4,
                                           now->height() / 2 + 4);
    });
    showFeeAgreement();
}

TfrmMain::~TfrmMain()
{
    // The widgets show fields of the calculation: they go first, while the
    // calculation still stands, and take their observers with them.
    for (Field *field : m_calculation->sheet().allFields())
        field->setViewObserver({});
    // Focus moves while the widgets go: nothing may look at them then.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete takeCentralWidget();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Rows never squeeze below their text, whatever font the system has: the
    // tab scrolls instead.
    m_calculationHeight = grpCalcHOAI->sizeHint().height();
    grpCalcHOAI->setMinimumHeight(m_calculationHeight);
    // As tall as the whole calculation needs, where the screen has room.
    layout()->activate();
    const int hidden = m_calculationScroll->widget()->minimumSizeHint().height() -
                       m_calculationScroll->viewport()->height();
    if (hidden > 0)
        resize(width(), height() + hidden);
    fitOntoScreen(true);
    makeRoomForScrollBar(true);
    try {
        FormShow();
    } catch (const Error &error) {
        m_services.desktop->errorBox(error.message());
    }
}

void TfrmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // On X11 the window manager adds the frame after the window is shown: it
    // was placed with a guess, and now goes where the real frame fits.
    if (m_shown && !m_placedWithFrame && frameIsKnown(*this)) {
        m_placedWithFrame = true;
        bringOntoScreen();
    }
}

void TfrmMain::fitOntoScreen(bool centred)
{
    const QScreen *screen = QApplication::screenAt(frameGeometry().center());
    if (!screen || centred)
        screen = QApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = frameMarginsOf(*this);
    std::optional<QPoint> position;
    if (!centred)
        position = geometry().topLeft() - QPoint(frame.left(), frame.top());
    setGeometry(clientGeometryOnScreen(screen->availableGeometry(), frame, size(), position));
}

void TfrmMain::FormShow()
{
    const QString programFile = QApplication::applicationFilePath();
    m_run.programDir = UncProgramFolder();
    setWindowTitle(QApplication::applicationName());
    writeStartRegistryValues(QApplication::applicationName());
    lbVersion->setText(QStringLiteral("Version ") + VersionInfoString(programFile, 2));
    m_run.settingsFile =
        chooseSettingsFile(m_run.programDir, ProgramBaseName(), *m_services.desktop);
    // The master data stay empty; the save at close then refuses to replace
    // the file and says so again.
    if (const QString error = LoadStammdaten(m_calculation->sheet(), m_run.settingsFile);
        !error.isEmpty())
        m_services.desktop->NotifyBox(
            QStringLiteral("Die Stammdaten konnten nicht geladen werden: %1").arg(error),
            QApplication::applicationName());
    PageControl1->setCurrentIndex(0);
    m_calculation->startUp();
    bringOntoScreen();
}

void TfrmMain::bringOntoScreen()
{
    fitOntoScreen(false);
}

bool TfrmMain::saveProjectWithDialog()
{
    return SaveProject(*m_offer, m_run, *m_services.desktop,
                       m_services.dialogs->chooseProjectToSave());
}

bool TfrmMain::FormCloseQuery()
{
    if (m_run.busy)
        return false;
    if (m_run.projectChanged) {
        const int answer = m_services.desktop->AskBox(
            savePromptText(), savePromptCaption(QApplication::applicationName()),
            Desktop::YesNoCancelButtons);
        // Cancel, a cancelled save dialog or a failed save keep the window
        // open: no work is lost at close.
        if (answer == Desktop::AnswerCancel)
            return false;
        if (answer == Desktop::AnswerYes && !saveProjectWithDialog()) {
            showProjectStatus();
            return false;
        }
    }
    saveStammdatenAtClose(m_calculation->sheet(), m_run.settingsFile, *m_services.desktop);
    return true;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    bool allowed = false;
    try {
        allowed = FormCloseQuery();
    } catch (const Error &error) {
        m_services.desktop->errorBox(error.message());
    }
    if (allowed)
        event->accept();
    else
        event->ignore();
}

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (event->oldSize().width() != width())
        fitCalculationHeight();
    // Less than 500 pixels right of the master data: back to its design width.
    if (Splitter1 && width() - 500 < grpCalcHOAI->x()) {
        const int total = Splitter1->width() - Splitter1->handleWidth();
        Splitter1->setSizes({363, std::max(0, total - 363)});
    }
}

bool TfrmMain::Splitter1CanResize(int newWidth) const
{
    return newWidth >= 358 && width() - newWidth >= 500;
}

void TfrmMain::SetBusyState(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             PageControl1, cmdSaveProjekt, cmdLoadProjekt, cmdInfo, cmdPrintHonorarHTML,
             cmdPrintHonorarDOC, cmdSaveHonorarPDF, cmdPrintHonorar})
        widget->setEnabled(!busy);
    QApplication::processEvents();
}

void TfrmMain::showWarnings()
{
    // The note on the basis's unit stands beside the basis, not twice.
    const FeeComputation &computation = m_calculation->computation();
    const QString basisNote = CalculationSheet::basisUnitNote(m_calculation->sheet().basisUnit());
    lbGrundlageHinweis->setText(basisNote);
    lbGrundlageHinweis->setVisible(computation.basisUnitToCheck());
    QStringList warnings = m_calculation->warnings();
    warnings.removeAll(basisNote);
    lbWarning->setText(warnings.join(QLatin1Char('\n')));
    lbWarning->setVisible(!warnings.isEmpty());
}

void TfrmMain::fitCalculationHeight()
{
    // Wrapped notes need the height their width gives them, which the grid
    // does not ask them for by itself: each note as tall as its lines, the
    // calculation taller by them, and the tab scrolls. The width is taken as
    // if the scroll bar stood beside it, so that its coming never cuts a line.
    if (m_calculationHeight == 0 || m_fittingHeight)
        return;
    m_fittingHeight = true;
    const QScrollBar *bar = m_calculationScroll->verticalScrollBar();
    const int barWidth = bar->isVisible() ? 0 : bar->sizeHint().width();
    const int spacing = static_cast<QGridLayout *>(grpCalcHOAI->layout())->verticalSpacing();
    int notes = 0;
    for (QLabel *note : {lbWarning, lbWiederholung}) {
        const int height =
            note->isVisibleTo(grpCalcHOAI)
                ? note->heightForWidth(grpCalcHOAI->contentsRect().width() - barWidth)
                : 0;
        note->setMinimumHeight(height);
        notes += height > 0 ? height + spacing : 0;
    }
    // Most keystrokes change no note's lines: nothing to lay out anew.
    if (grpCalcHOAI->minimumHeight() == m_calculationHeight + notes) {
        m_fittingHeight = false;
        return;
    }
    grpCalcHOAI->setMinimumHeight(m_calculationHeight + notes);
    const bool widened = makeRoomForScrollBar(false);
    m_fittingHeight = false;
    if (widened)
        fitCalculationHeight();
}

bool TfrmMain::makeRoomForScrollBar(bool centred)
{
    // Where the screen is too low and the tab scrolls, the scroll bar gets
    // a width of its own instead of narrowing the calculation; once.
    if (m_roomForScrollBar)
        return false;
    layout()->activate();
    if (m_calculationScroll->widget()->minimumSizeHint().height() <=
        m_calculationScroll->viewport()->height())
        return false;
    m_roomForScrollBar = true;
    resize(width() + m_calculationScroll->verticalScrollBar()->sizeHint().width(), height());
    fitOntoScreen(centred);
    layout()->activate();
    return true;
}

void TfrmMain::showFeeAgreement()
{
    const CalculationSheet &s = m_calculation->sheet();
    const WorkScope scope = m_calculation->computation().currentScope();
    const bool free = s.comboHonorarsatz.index() == kFreeRateIndex;
    edHonorarsatzProz->setEnabled(free);
    edHonorarsatzProz->setReadOnly(!free);
    const PointSystem *system = m_calculation->pointSystem();
    cmdHonorarzonePunkte->setEnabled(system);
    QString pointsHint = QStringLiteral("Honorarzone nach Bewertungspunkten ermitteln");
    if (!system)
        pointsHint = noPointSystemHint(scope);
    else if (!m_calculation->zonePoints().isEmpty())
        pointsHint += QStringLiteral(" (ermittelt mit %1 Punkten)")
                          .arg(pointSum(m_calculation->zonePoints()));
    cmdHonorarzonePunkte->setToolTip(pointsHint);
    comboHonorarzone->enableFirstItems(m_calculation->computation().zoneCount());

    // A surcharge stored where the kind has none stays editable, that it
    // can be taken back.
    const bool surcharge = hasRenovationSurcharge(scope);
    edZuschlagUmbau->setEnabled(surcharge || s.edZuschlagUmbau.value() != 0);
    edZuschlagUmbau->setToolTip(surcharge ? surchargeHint(s.comboHOAINorm.currentText())
                                          : noSurchargeHint(scope));

    const RepetitionRule repetition = repetitionRule(scope);
    edWiederholung->setEnabled(repetition != RepetitionRule::None);
    QString repetitionHint = QStringLiteral("Nummer der Wiederholung eines im Wesentlichen "
                                            "gleichen Objekts nach § 11 HOAI; 0 für keine");
    if (repetition == RepetitionRule::None)
        repetitionHint = noRepetitionHint(scope);
    else if (repetition == RepetitionRule::TypeOrSeriesOnly)
        repetitionHint += QStringLiteral(". Für %1 mindert § 11 Abs. 3 die Anteile nur bei "
                                         "Typenplanung oder Serienbauten.")
                              .arg(scope.kind);
    edWiederholung->setToolTip(repetitionHint);
}

void TfrmMain::showOffer()
{
    m_offerPanel->refresh();
    m_offerTab->refresh();
    lbWiederholung->setVisible(!m_calculation->sheet().lbWiederholung.text().isEmpty());
    fitCalculationHeight();
}

void TfrmMain::openCalculation(int index)
{
    m_offerPanel->selectCalculation(index);
    PageControl1->setCurrentIndex(0);
}

void TfrmMain::showProjectStatus()
{
    // A load replaces the whole offer.
    showOffer();
    if (!m_run.projectFile.isEmpty())
        m_status->setText(projectStatusText(m_run.projectFile));
}

QString TfrmMain::statusText() const
{
    return m_status->text();
}

void TfrmMain::cmdLoadProjektClick()
{
    if (LoadProject(*m_offer, m_run, *m_services.desktop,
                    m_services.dialogs->chooseProjectToLoad()))
        showProjectStatus();
}

void TfrmMain::loadProjectFile(const QString &file)
{
    if (LoadProject(*m_offer, m_run, *m_services.desktop, QFileInfo(file).absoluteFilePath()))
        showProjectStatus();
}

void TfrmMain::cmdSaveProjektClick()
{
    if (saveProjectWithDialog())
        showProjectStatus();
}

void TfrmMain::cmdPrintHonorarHTMLClick()
{
    WindowReportProgress progress(*m_wait, [this](bool busy) { SetBusyState(busy); });
    PrintHonorarHTML(*m_offer, m_run, *m_services.desktop, progress);
}

void TfrmMain::cmdPrintHonorarDOCClick()
{
    WindowReportProgress progress(*m_wait, [this](bool busy) { SetBusyState(busy); });
    PrintHonorarDOC(*m_offer, m_run, *m_services.desktop, progress,
                    desktopAutomation(*m_services.desktop));
}

void TfrmMain::cmdSaveHonorarPDFClick()
{
    const std::optional<QString> file =
        m_services.dialogs->choosePdfToSave(defaultPdfFileName(*m_offer));
    if (!file)
        return;
    WindowReportProgress progress(*m_wait, [this](bool busy) { SetBusyState(busy); });
    // For a while in place of the project's file: where the PDF went.
    if (SaveHonorarPDF(*m_offer, m_run, *m_services.desktop, progress, file))
        statusBar()->showMessage(QStringLiteral("Honorarangebot gespeichert: \"%1\"")
                                     .arg(QDir::toNativeSeparators(*file)),
                                 10000);
}

void TfrmMain::cmdPrintHonorarClick()
{
    std::optional<PaperReport> paper;
    {
        WindowReportProgress progress(*m_wait, [this](bool busy) { SetBusyState(busy); });
        paper = PrepareHonorarPaper(*m_offer, m_run, *m_services.desktop, progress);
    }
    if (!paper)
        return;
    // The preview paints again for every change of the printer's settings.
    bool painted = true;
    m_services.dialogs->printWithPreview(
        [&paper, &painted](QPrinter &printer) { painted = paper->paint(printer) && painted; });
    if (!painted)
        m_services.desktop->NotifyBox(
            QStringLiteral("Das Honorarangebot konnte nicht gedruckt werden."),
            QApplication::applicationName());
}

TfrmInfo &TfrmMain::infoDialog()
{
    if (!m_info)
        m_info = new TfrmInfo(*m_services.desktop, this);
    return *m_info;
}

void TfrmMain::cmdInfoClick()
{
    infoDialog().exec();
}

void TfrmMain::cmdHonorarzonePunkteClick()
{
    const PointSystem *system = m_calculation->pointSystem();
    if (!system)
        return;
    TfrmPunkte dialog(*system, m_calculation->computation().currentScope(),
                      m_calculation->zonePoints(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_calculation->cmdHonorarzonePunkteOk(dialog.points());
}

} // namespace zolvaric
