// Next Difference in the hex editor with 512 marked cells, drawn offscreen: the cursor's move
// to the next mark, and with the repaint of both panes it causes (against the same repaint
// without marks).
#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "messages/message_boxes.h"
#include "widget_bench_main.h"

namespace zav {
namespace {

class SilentBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Ok; }
};

// The editor with `marks` cells marked (512 or none), shown offscreen.
class MarkedEditor {
public:
    explicit MarkedEditor(int marks) : editor(boxes)
    {
        std::vector<CellDifference> differences;
        for (std::int32_t address = 0xB600; address < 0xB600 + marks; ++address)
            differences.push_back({address, 0x5A, 0xFF});
        editor.Differences().SetVerify(differences);
        editor.show();
        editor.ShowAddressAtTop(0xB600);
        QApplication::processEvents();
    }
    void Repaint()
    {
        editor.HexPane().viewport()->repaint();
        editor.CharPane().viewport()->repaint();
    }
    SilentBoxes boxes;
    THexEdit editor;
};

// The step alone: the cursor's move and the status bar; the panes repaint later, on the
// event loop.
void BM_EditorNextDifference(benchmark::State& state)
{
    MarkedEditor marked(512);
    for (auto _ : state) marked.editor.Differences().NextAction()->trigger();
    QApplication::processEvents();
}
BENCHMARK(BM_EditorNextDifference)->Unit(benchmark::kMicrosecond);

// The step and the full repaint of both panes, with the rows on screen all marked or none.
void BM_EditorNextDifferenceWithRepaint(benchmark::State& state)
{
    MarkedEditor marked(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        marked.editor.Differences().NextAction()->trigger();
        marked.Repaint();
    }
}
BENCHMARK(BM_EditorNextDifferenceWithRepaint)->Arg(512)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zav

int main(int argc, char** argv)
{
    return zav::RunWidgetBenchmarks(argc, argv);
}
