#pragma once

#include <string>

namespace zav {

// Where the printable area of a page starts, in the printer's device units from the left
// and from the top edge; it extends to the page's width and height.
inline constexpr int kPrintAreaLeft = 200;
inline constexpr int kPrintAreaTop = 200;

// The print document a job fills and hands to the printer. Only the print worker uses it
// while a job runs; the window that owns it reads the printer's name before the start.
class PrintSink {
public:
    virtual ~PrintSink() = default;

    // The printer, or the file that stands in for one, as the status line names it.
    [[nodiscard]] virtual std::string PrinterName() const = 0;
    // The fixed-pitch type of the whole document.
    virtual void SetFontSize(int points) = 0;
    // Empties the document.
    virtual void Clear() = 0;
    virtual void AppendLine(const std::string& line) = 0;
    // Prints the document as one job. Empty on success, otherwise why it failed.
    [[nodiscard]] virtual std::string Print() = 0;
};

} // namespace zav
