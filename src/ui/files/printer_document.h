#pragma once

#include <QPrinter>

#include <string>
#include <vector>

#include "files/print_sink.h"

namespace zav {

// The print document over a QPrinter: lines of fixed-pitch type from 200 device units in
// from the left and the top of the printable area, long lines wrapped at its right edge and
// pages broken at its bottom. Lines are collected on the print worker and painted there in
// one go when the job prints, which QPainter allows on a printer outside the GUI thread.
// Printing to a PDF file paints into memory and writes the file as a save does, so a full
// disk or a device that takes no data fails the job and leaves no broken file behind.
class PrinterDocument final : public PrintSink {
public:
    explicit PrinterDocument(QPrinter& printer);

    // The printer's name, or the path of the PDF file that stands in for one.
    [[nodiscard]] std::string PrinterName() const override;
    void SetFontSize(int points) override { fontSize_ = points; }
    void Clear() override { lines_.clear(); }
    void AppendLine(const std::string& line) override { lines_.push_back(line); }
    [[nodiscard]] std::string Print() override;

private:
    // Paints the lines on a printer or a PDF writer; empty, or why it failed.
    [[nodiscard]] std::string Paint(QPagedPaintDevice& device);
    [[nodiscard]] std::string PrintToPdfFile();

    QPrinter& printer_;
    int fontSize_ = 12;
    std::vector<std::string> lines_;
};

} // namespace zav
