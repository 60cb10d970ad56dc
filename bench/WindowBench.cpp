// The window: one keystroke into edKosten until every result field shows its
// new text, against the same keystroke into a bare Qt line edit; and, with
// --startup [--bare], one start-up to the first shown window for timing the
// whole process (farm-bench), against a bare Qt window.
//
//   QT_QPA_PLATFORM=offscreen zolvaric-bench-window
//   farm-bench ... "zolvaric-bench-window --startup" "zolvaric-bench-window --startup --bare"

#include "BenchSession.h"

#include "app/unitMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

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

void BM_KeystrokeToResults(benchmark::State &state)
{
    WindowSession session;
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
BENCHMARK(BM_KeystrokeToResults)->Unit(benchmark::kMicrosecond);

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

// Start-up to the first shown window, then out.
int startUp(bool bare)
{
    std::unique_ptr<QWidget> bareWindow;
    std::unique_ptr<WindowSession> session;
    QWidget *shown = nullptr;
    if (bare) {
        bareWindow = std::make_unique<QWidget>();
        bareWindow->resize(886, 899);
        bareWindow->show();
        shown = bareWindow.get();
    } else {
        session = std::make_unique<WindowSession>();
        shown = &session->window;
    }
    return QTest::qWaitForWindowExposed(shown) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvaric"));
    if (argc >= 2 && std::strcmp(argv[1], "--startup") == 0)
        return startUp(argc >= 3 && std::strcmp(argv[2], "--bare") == 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
