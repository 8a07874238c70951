#pragma once

#include <string>

#include "buffer/address_range.h"
#include "messages/status_sink.h"

namespace zav {

// What a print job asks of the windows: the dump of the editor's buffer, the main window's
// progress bar and status lines, and the closing of the print dialog. Every call runs on the
// user-interface thread; the worker reaches it only through the hand-over queue.
class PrintHost : public StatusSink {
public:
    // The editor's memory dump of the range at 16 or 32 bytes per row.
    [[nodiscard]] virtual std::string BuildDump(AddressRange range, int bytesPerRow) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The job is over: the dialog closes (harmless while it is closing already).
    virtual void CloseDialog() = 0;
};

} // namespace zav
