// Printing's figures: the whole buffer (4,096 rows) through the print worker into a PDF file,
// as the Print dialog runs it when no printer is installed, and how soon a close stops a job.
#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "buffer/memory_buffer.h"
#include "files/print_host.h"
#include "files/print_job_control.h"
#include "ui/files/printer_document.h"
#include "messages/message_boxes.h"
#include "operations/dump_text.h"
#include "threads/hand_over_queue.h"
#include "widget_bench_main.h"

namespace zav {
namespace {

class SilentBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest&) override { return BoxAnswer::Ok; }
};

// The windows' side of a job, without windows: the dump from the buffer, the rest dropped.
class BenchHost : public PrintHost {
public:
    explicit BenchHost(const MemoryBuffer& buffer) : buffer_(buffer) {}
    std::string BuildDump(AddressRange range, int bytesPerRow) override
    {
        return BuildDumpText(buffer_, range.first, range.last, bytesPerRow, boxes_);
    }
    void SetProgressMaximum(int) override {}
    void SetProgressPosition(int) override {}
    void AddStatusMessage(const std::string&, StatusKind) override {}
    void CloseDialog() override { closed = true; }

    bool closed = false;

private:
    const MemoryBuffer& buffer_;
    SilentBoxes boxes_;
};

class PrintBench {
public:
    PrintBench() : host_(buffer_)
    {
        for (std::int32_t address = 0; address <= buffer_.LastAddress(); ++address) {
            buffer_.SetByte(address, static_cast<std::uint8_t>(address * 7));
        }
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(folder_.filePath(QStringLiteral("dump.pdf")));
    }

    // Runs one job to its end as the dialog's event loop would, draining the job's calls.
    void PrintWholeBuffer(int bytesPerRow)
    {
        host_.closed = false;
        PrintJobControl control(queue_, host_);
        control.Start({{0x0000, 0xFFFF}, bytesPerRow}, document_);
        queue_->DrainUntil([&] { return host_.closed || !control.Running(); });
        control.Close();
    }

    // Starts a job and closes at once: the time until the worker has stopped.
    std::chrono::nanoseconds CancelRightAfterStart()
    {
        PrintJobControl control(queue_, host_);
        control.Start({{0x0000, 0xFFFF}, 16}, document_);
        const auto start = std::chrono::steady_clock::now();
        control.Close();
        return std::chrono::steady_clock::now() - start;
    }

private:
    QTemporaryDir folder_;
    MemoryBuffer buffer_;
    BenchHost host_;
    QPrinter printer_{QPrinter::HighResolution};
    PrinterDocument document_{printer_};
    std::shared_ptr<HandOverQueue> queue_ = HandOverQueue::Create();
};

// Goal: under 1 s for the whole buffer at 16 bytes per row.
void BM_PrintWholeBufferToPdf(benchmark::State& state)
{
    PrintBench bench;
    for (auto _ : state) bench.PrintWholeBuffer(static_cast<int>(state.range(0)));
}
BENCHMARK(BM_PrintWholeBufferToPdf)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

// Goal: a close stops the job within 100 ms.
void BM_CloseStopsAJob(benchmark::State& state)
{
    PrintBench bench;
    for (auto _ : state) {
        state.SetIterationTime(std::chrono::duration<double>(bench.CancelRightAfterStart()).count());
    }
}
BENCHMARK(BM_CloseStopsAJob)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zav

int main(int argc, char** argv)
{
    return zav::RunWidgetBenchmarks(argc, argv);
}
