// The hex editor's figures, drawn offscreen: a full repaint, paging, a 64 KiB paste, copying
// the whole buffer and typing one digit, each including the repaint it causes.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "operations/clipboard_text.h"
#include "operations/selection.h"
#include "messages/message_boxes.h"
#include "widget_bench_main.h"

namespace zav {
namespace {

class SilentBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Ok; }
};

// One editor window holding varied bytes and colours, `rows` rows high.
class EditorBench {
public:
    explicit EditorBench(int rows) : editor_(boxes_)
    {
        MemoryBuffer& buffer = editor_.Buffer();
        buffer.BeginUpdate();
        for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
            buffer.SetByte(address, static_cast<std::uint8_t>(address * 31 + (address >> 8)));
            if ((address & 0x0F00) == 0x0300) buffer.SetUnimplemented(address, true);
        }
        buffer.EndUpdate();
        editor_.show();
        HexGridView& pane = editor_.HexPane();
        const int rowHeight = pane.CellCentre(16).y() - pane.CellCentre(0).y();
        editor_.resize(editor_.width(), editor_.height() + rows * rowHeight - pane.viewport()->height());
        QApplication::processEvents();
        editor_.HexPane().setFocus();
        QApplication::processEvents();
    }

    [[nodiscard]] THexEdit& Editor() { return editor_; }

    void RepaintBoth()
    {
        editor_.HexPane().viewport()->repaint();
        editor_.CharPane().viewport()->repaint();
    }

    void Press(Qt::Key key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&editor_.HexPane(), &press);
    }

private:
    SilentBoxes boxes_;
    THexEdit editor_;
};

// The window of the first figure is 60 rows high; the others use the window's design size,
// 15 rows. Both are made on first use and released by main while the QApplication they paint
// with still exists: a function-local static would be destroyed after it, at exit.
std::unique_ptr<EditorBench> tallBench;
std::unique_ptr<EditorBench> designBench;

EditorBench& TallBench()
{
    if (!tallBench) tallBench = std::make_unique<EditorBench>(60);
    return *tallBench;
}

EditorBench& Bench()
{
    if (!designBench) designBench = std::make_unique<EditorBench>(15);
    return *designBench;
}

void ReleaseEditorBenches()
{
    tallBench.reset();
    designBench.reset();
}

void BM_FullRepaintOf60Rows(benchmark::State& state)
{
    EditorBench& bench = TallBench();
    state.counters["rows"] = bench.Editor().HexPane().FittingRows();
    for (auto _ : state) bench.RepaintBoth();
}
BENCHMARK(BM_FullRepaintOf60Rows)->Unit(benchmark::kMillisecond);

void BM_PageDownStepWithRepaint(benchmark::State& state)
{
    EditorBench& bench = Bench();
    bench.Editor().SelectAddress(0);
    for (auto _ : state) {
        if (bench.Editor().CursorAddress() >= 0xFF00) bench.Editor().SelectAddress(0);
        bench.Press(Qt::Key_PageDown);
        bench.RepaintBoth();
    }
    state.counters["rows"] = bench.Editor().HexPane().FittingRows();
}
BENCHMARK(BM_PageDownStepWithRepaint)->Unit(benchmark::kMillisecond);

void BM_Paste64KiBWithRepaint(benchmark::State& state)
{
    EditorBench& bench = Bench();
    SilentBoxes boxes;
    const std::string text =
        SelectionClipboardText(bench.Editor().Buffer(), Selection::All(), boxes).value_or(std::string());
    QApplication::clipboard()->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    QAction* paste = bench.Editor().Action(EditorAction::Paste);
    for (auto _ : state) {
        bench.Editor().SelectAddress(0);
        paste->trigger();
        bench.RepaintBoth();
    }
    state.SetBytesProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_Paste64KiBWithRepaint)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndCopy64KiB(benchmark::State& state)
{
    EditorBench& bench = Bench();
    QAction* selectAll = bench.Editor().Action(EditorAction::SelectAll);
    QAction* copy = bench.Editor().Action(EditorAction::Copy);
    for (auto _ : state) {
        selectAll->trigger();
        copy->trigger();
    }
    bench.Editor().SelectAddress(0);
    state.SetBytesProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_SelectAllAndCopy64KiB)->Unit(benchmark::kMillisecond);

void BM_OneDigitToTheRepaintedCell(benchmark::State& state)
{
    EditorBench& bench = Bench();
    bench.Editor().SelectAddress(0x1000);
    for (auto _ : state) {
        bench.Press(Qt::Key_5, QStringLiteral("5"));
        bench.RepaintBoth();
    }
}
BENCHMARK(BM_OneDigitToTheRepaintedCell)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zav

int main(int argc, char** argv)
{
    return zav::RunWidgetBenchmarks(argc, argv, zav::ReleaseEditorBenches);
}
