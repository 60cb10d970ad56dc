#pragma once

#include "ProjectDialogs.h"
#include "QtDesktop.h"

#include "base/ProgramRun.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTableView;

namespace zolvaric {

class TfrmInfo;
class TfrmWait;
class NumericEdit;
class ChoiceBox;
class OfferPanel;
class OfferTab;

// The main window: header, toolbar, the three tabs and the status bar. It
// binds the calculation sheet's fields to widgets and runs the operations of
// the core; it computes nothing itself.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // What the window needs from outside; tests replace the dialogs and the desktop.
    struct Services
    {
        Desktop *desktop = nullptr;
        ProjectDialogs *dialogs = nullptr;
        // Runs the update check; empty: the link does nothing.
        std::function<void()> updateCheck;
    };

    TfrmMain(const RegionalSettings &settings, ProgramRun &run, Services services,
             QWidget *parent = nullptr);
    ~TfrmMain() override;

    Calculation &calculation() { return *m_calculation; }
    Offer &offer() { return *m_offer; }
    OfferPanel &offerPanel() { return *m_offerPanel; }
    ProgramRun &run() { return m_run; }
    TfrmWait &waitWindow() { return *m_wait; }
    // Made at its first use: few sessions open it.
    TfrmInfo &infoDialog();

    // Start-up, run once when the window is first shown.
    void FormShow();
    // Whether the window may close; asks and saves as the close needs.
    bool FormCloseQuery();
    void SetBusyState(bool busy);
    // The splitter's limits for a proposed master-data width.
    bool Splitter1CanResize(int newWidth) const;

    void cmdLoadProjektClick();
    // Loads a project named on the command line, as the load button would
    // after choosing it, with the same checks and messages.
    void loadProjectFile(const QString &file);
    void cmdSaveProjektClick();
    void cmdPrintHonorarHTMLClick();
    void cmdPrintHonorarDOCClick();
    // The fee offer from the HTML template as a PDF file, and on paper.
    void cmdSaveHonorarPDFClick();
    void cmdPrintHonorarClick();
    void cmdInfoClick();
    // Opens the points dialog for the kind of work; its OK sets the zone.
    void cmdHonorarzonePunkteClick();

    QString statusText() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override; // FormResize
    void moveEvent(QMoveEvent *event) override;

private:
    void buildWindow();
    QWidget *buildHeader();
    QWidget *buildToolbar();
    QWidget *buildCalculationTab();
    QGroupBox *buildMasterDataGroup();
    QGroupBox *buildCalculationGroup();
    void fillTableTab(int index);
    void fillFeeTableTab(QWidget *tab);
    void fillWorkPhaseTab(QWidget *tab);
    void setKeyboardOrder();
    void showWarnings();
    // The calculation as tall as its wrapped notes need at its width.
    void fitCalculationHeight();
    // Whether the window grew by the scroll bar's width.
    bool makeRoomForScrollBar(bool centred);
    // The free rate's input, the points button and the surcharge's hint as
    // the rate, the kind of work and the edition selected allow.
    void showFeeAgreement();
    void showProjectStatus();
    // The offer's list and totals, and the repetition's note, as they now are.
    void showOffer();
    void openCalculation(int index);
    // The window inside its screen's free area, title bar included, and no
    // larger than that area; `centred` places it in the middle.
    void fitOntoScreen(bool centred);
    void bringOntoScreen();
    bool saveProjectWithDialog();

    ProgramRun &m_run;
    Services m_services;
    std::unique_ptr<Calculation> m_calculation;
    std::unique_ptr<Offer> m_offer;
    TfrmWait *m_wait = nullptr;
    TfrmInfo *m_info = nullptr;
    bool m_shown = false;
    bool m_placedWithFrame = false;
    int m_calculationHeight = 0; // the calculation's height without notes
    bool m_roomForScrollBar = false;
    bool m_fittingHeight = false;

    QLabel *lbVersion = nullptr;
    QLabel *lbWarning = nullptr;
    QLabel *lbWiederholung = nullptr;
    OfferPanel *m_offerPanel = nullptr;
    OfferTab *m_offerTab = nullptr;
    QLabel *m_status = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QScrollArea *m_calculationScroll = nullptr;
    QSplitter *Splitter1 = nullptr;
    QGroupBox *grpStammdaten = nullptr;
    QGroupBox *grpCalcHOAI = nullptr;
    QToolButton *cmdLoadProjekt = nullptr;
    QToolButton *cmdSaveProjekt = nullptr;
    QToolButton *cmdPrintHonorarDOC = nullptr;
    QToolButton *cmdPrintHonorarHTML = nullptr;
    QToolButton *cmdSaveHonorarPDF = nullptr;
    QToolButton *cmdPrintHonorar = nullptr;
    QToolButton *cmdInfo = nullptr;
    QToolButton *cmdHonorarzonePunkte = nullptr;
    NumericEdit *edHonorarsatzProz = nullptr;
    NumericEdit *edZuschlagUmbau = nullptr;
    NumericEdit *edWiederholung = nullptr;
    ChoiceBox *comboHonorarzone = nullptr;
    QLabel *lbGrundlageHinweis = nullptr;
    QList<QWidget *> m_calculationOrder;
    QList<QWidget *> m_masterDataOrder;
};

} // namespace zolvaric
