// The window: one keystroke into edKosten until every result field shows its
// new text, against the same keystroke into a bare Qt line edit; and, with
// --startup [--bare | --bare-text], one start-up to the first shown window for timing the
// whole process (farm-bench), against a bare Qt window.
//
//   QT_QPA_PLATFORM=offscreen zolvaric-bench-window
//   farm-bench ... "zolvaric-bench-window --startup" "zolvaric-bench-window --startup --bare"

#include "BenchSession.h"

#include "app/OfferPanel.h"
#include "app/ZolvaricApplication.h"
#include "app/unitMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace zolvaric;

namespace {

struct WindowSession
{
    RegionalSettings settings = RegionalSettings::german();
    ProgramRun run;
    SilentDesktop desktop;
    NoProjectDialogs dialogs;
    TfrmMain window{settings, run, {&desktop, &dialogs, {}}};

    WindowSession()
    {
        window.show();
        QApplication::processEvents();
    }
};

// Alternately appends a digit and takes it away again: every keystroke
// changes the costs and so every result.
void keystroke(QLineEdit *edit, std::int64_t i)
{
    if (i % 2 == 0)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_5, QStringLiteral("5"), Qt::NoModifier);
    else
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Backspace, QString(), Qt::NoModifier);
}

// Keystrokes into edKosten until the gross fee shows the result of each.
void typeCosts(benchmark::State &state, WindowSession &session)
{
    auto *costs = session.window.findChild<QLineEdit *>(QStringLiteral("edKosten"));
    auto *gross = session.window.findChild<QLineEdit *>(QStringLiteral("edBruttohonorar"));
    costs->setFocus();
    costs->setText(QStringLiteral("12000"));
    QTest::sendKeyEvent(QTest::Click, costs, Qt::Key_0, QStringLiteral("0"), Qt::NoModifier);
    std::int64_t i = 0;
    for (auto _ : state) {
        keystroke(costs, i++);
        benchmark::DoNotOptimize(gross->text());
    }
}

void BM_KeystrokeToResults(benchmark::State &state)
{
    WindowSession session;
    typeCosts(state, session);
}
BENCHMARK(BM_KeystrokeToResults)->Unit(benchmark::kMicrosecond);

// The keystroke in one calculation of an offer of 100: the list beside the
// calculation and the tab "Angebot" follow it.
void BM_KeystrokeInAnOfferOf100(benchmark::State &state)
{
    WindowSession session;
    for (int n = 1; n < 100; ++n)
        session.window.offer().duplicate();
    session.window.offerPanel().selectCalculation(50);
    typeCosts(state, session);
}
BENCHMARK(BM_KeystrokeInAnOfferOf100)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeBareLineEdit(benchmark::State &state)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    window.show();
    QApplication::processEvents();
    edit->setFocus();
    std::int64_t i = 0;
    for (auto _ : state)
        keystroke(edit, i++);
}
BENCHMARK(BM_KeystrokeBareLineEdit)->Unit(benchmark::kMicrosecond);

// Start-up to the first shown window, then out at once: tearing down is not
// part of starting, and Qt's teardown of a window that never drew text even
// loads the font configuration. The baselines are a bare Qt window and a bare
// window with one line of text, the least a window that shows text must do.
enum class StartUpKind { Window, Bare, BareText };

[[noreturn]] void startUp(StartUpKind kind)
{
    std::unique_ptr<QWidget> bareWindow;
    std::unique_ptr<WindowSession> session;
    QWidget *shown = nullptr;
    if (kind == StartUpKind::Window) {
        session = std::make_unique<WindowSession>();
        shown = &session->window;
    } else {
        bareWindow = std::make_unique<QWidget>();
        if (kind == StartUpKind::BareText)
            new QLabel(QStringLiteral("Honorarberechnung"), bareWindow.get());
        bareWindow->resize(870, 860);
        bareWindow->show();
        shown = bareWindow.get();
    }
    std::_Exit(QTest::qWaitForWindowExposed(shown) ? 0 : 1);
}

StartUpKind startUpKind(const char *option)
{
    if (!option)
        return StartUpKind::Window;
    if (std::strcmp(option, "--bare") == 0)
        return StartUpKind::Bare;
    return StartUpKind::BareText;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && std::strcmp(argv[1], "--startup") == 0) {
        const StartUpKind kind = startUpKind(argc >= 3 ? argv[2] : nullptr);
        // The program's own application object for the window: its icon is
        // part of starting.
        std::unique_ptr<QApplication> app;
        if (kind == StartUpKind::Window)
            app = std::make_unique<ZolvaricApplication>(argc, argv);
        else
            app = std::make_unique<QApplication>(argc, argv);
        startUp(kind);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvaric"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
