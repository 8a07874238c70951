#include "ui/files/printer_document.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

#include "files/safe_file_writer.h"
#include "widgets/latin1_text.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

// "Courier New" where installed, otherwise the closest fixed-pitch face.
QFont DumpFont(int points)
{
    QFont font(QStringLiteral("Courier New"), points);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

PrinterDocument::PrinterDocument(QPrinter& printer) : printer_(printer) {}

std::string PrinterDocument::PrinterName() const
{
    if (printer_.outputFormat() == QPrinter::PdfFormat) return ToSystemPath(printer_.outputFileName());
    return ToSystemPath(printer_.printerName());
}

std::string PrinterDocument::Print()
{
    printer_.setDocName(QString());
    if (printer_.outputFormat() == QPrinter::PdfFormat) return PrintToPdfFile();
    return Paint(printer_);
}

std::string PrinterDocument::PrintToPdfFile()
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(printer_.pageLayout());
        writer.setResolution(printer_.resolution());
        writer.setTitle(QString());
        writer.setCreator(QString());
        if (std::string failure = Paint(writer); !failure.empty()) return failure;
    }
    std::string failure;
    const QByteArray& bytes = pdf.data();
    if (!WriteFileSafely(ToSystemPath(printer_.outputFileName()),
                         std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), failure,
                         {.waiting = Waiting::Never})) {
        return failure;
    }
    return {};
}

std::string PrinterDocument::Paint(QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) return "cannot print to " + PrinterName();
    const QFont font = DumpFont(fontSize_);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const double lineHeight = metrics.lineSpacing();
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const int pageWidth = device.width();
    const int pageHeight = device.height();
    const auto charsPerLine =
        static_cast<qsizetype>(std::max(1.0, std::floor((pageWidth - kPrintAreaLeft) / charWidth)));

    const double firstBaseline = kPrintAreaTop + metrics.ascent();
    double baseline = firstBaseline;
    for (const std::string& line : lines_) {
        const QString text = FromLatin1(line);
        qsizetype start = 0;
        do {
            if (baseline + metrics.descent() > pageHeight && baseline > firstBaseline) {
                device.newPage();
                baseline = firstBaseline;
            }
            painter.drawText(QPointF(kPrintAreaLeft, baseline), text.mid(start, charsPerLine));
            baseline += lineHeight;
            start += charsPerLine;
        } while (start < text.size());
    }
    if (!painter.end()) return "the printer did not accept the document";
    return {};
}

} // namespace zav
