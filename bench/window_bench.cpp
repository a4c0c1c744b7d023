#include "tests/memory_window.h"
#include "window/frmquillmere.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

namespace quillmere {
namespace {

template <typename Control>
Control* control(const QWidget& window, const char* name)
{
    return window.findChild<Control*>(QLatin1String(name));
}

// Shows the window with the boxes set for the largest plan.
void enterLargestPlan(FrmQuillmere& window)
{
    window.show();
    control<QLineEdit>(window, "txtJug1Size")->setText(QStringLiteral("1"));
    control<QLineEdit>(window, "txtJug2Size")->setText(QStringLiteral("32766"));
    control<QLineEdit>(window, "txtTargetAmount")->setText(QStringLiteral("32767"));
}

// The whole program's path: the Show Steps click, the solver writing into the
// window's list, and the list painting its first screenful.
void BM_ShowStepsWorstCase(benchmark::State& state)
{
    FrmQuillmere window;
    enterLargestPlan(window);
    auto* showSteps = control<QPushButton>(window, "cmdStart");
    auto* list = control<QListView>(window, "lstSteps");
    QApplication::processEvents();

    for (auto _ : state) {
        showSteps->click();
        // What the event loop does next: the list's pending layout, then its paint.
        QApplication::processEvents();
        list->viewport()->repaint();
    }
    if (list->model()->rowCount() != 196'600)
        state.SkipWithError("unexpected number of lines");
    state.counters["lines"] = list->model()->rowCount();
}
BENCHMARK(BM_ShowStepsWorstCase)->Unit(benchmark::kMillisecond);

// From Select All to the clipboard holding the whole largest plan.
void BM_CopyWorstCase(benchmark::State& state)
{
    FrmQuillmere window;
    enterLargestPlan(window);
    control<QPushButton>(window, "cmdStart")->click();
    auto* list = control<QListView>(window, "lstSteps");
    auto* selectAll = control<QAction>(window, "mnuSelectAll");
    auto* copy = control<QAction>(window, "mnuCopy");
    QApplication::processEvents();

    for (auto _ : state) {
        list->clearSelection();
        selectAll->trigger();
        copy->trigger();
    }
    const qsizetype copied = QGuiApplication::clipboard()->text().size();
    if (list->model()->rowCount() != 196'600 || copied < 5'000'000)
        state.SkipWithError("the whole plan was not copied");
    state.counters["characters"] = static_cast<double>(copied);
}
BENCHMARK(BM_CopyWorstCase)->Unit(benchmark::kMillisecond);

// For scale: the same lines added one at a time to a plain QListWidget.
void BM_ListWidgetBaseline(benchmark::State& state)
{
    testing::MemoryWindow solved;
    solved.enter("1", "32766", "32767");
    solved.showSteps();
    const platform::LineList& lines = solved.lstSteps;

    QListWidget list;
    list.resize(297, 485);
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.clear();
        for (std::size_t row = 0; row < lines.size(); ++row)
            list.addItem(QString::fromUtf8(lines[row].data(), static_cast<qsizetype>(lines[row].size())));
        QApplication::processEvents();
        list.viewport()->repaint();
    }
    state.counters["lines"] = list.count();
}
BENCHMARK(BM_ListWidgetBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace quillmere
