#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/address_range.h"
#include "threads/worker_thread.h"

namespace zav {

class HandOverQueue;
class PrintHost;
class PrintSink;

inline constexpr char kPrintCompleteLine[] = "Print buffer complete";

// What one print job prints: a buffer range at 16 or 32 bytes per row.
struct PrintJobSettings {
    AddressRange range;
    int bytesPerRow = 16;
};

// The type size of a dump: 12 points at 16 bytes per row, 8 points at 32 so a row still fits.
[[nodiscard]] int PrintFontSize(int bytesPerRow);
// The CR LF separated lines of a text; a final line end starts no empty line.
[[nodiscard]] std::vector<std::string> SplitPrintLines(std::string_view text);

// One print job: fetches the dump from the user-interface thread, feeds it line by line into
// the print document while the progress bar follows, prints it and asks the dialog to close.
// A stop request is honoured before the dump is built, before every line and before printing;
// once the document went to the printer the job runs to its end. Result 0 only when it printed.
class printerTh final : public WorkerThread {
public:
    printerTh(PrintJobSettings settings, PrintSink& sink, std::shared_ptr<HandOverQueue> queue, PrintHost& host);
    ~printerTh() override;

private:
    void Execute() override;
    // Fills the document and prints it; the result becomes 0 once the printer took it.
    void PrintDump();

    PrintJobSettings settings_;
    PrintSink& sink_;
    std::shared_ptr<HandOverQueue> queue_;
    PrintHost& host_;
};

} // namespace zav
