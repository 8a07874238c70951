#include "files/ui/printer_document.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "shell/ui/latin1_text.h"

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
    if (printer_.outputFormat() == QPrinter::PdfFormat) return ToLatin1(printer_.outputFileName());
    return ToLatin1(printer_.printerName());
}

std::string PrinterDocument::Print()
{
    printer_.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer_)) {
        const QString target = printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName()
                                                                              : printer_.printerName();
        return "cannot print to " + ToLatin1(target);
    }
    const QFont font = DumpFont(fontSize_);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer_);
    const double lineHeight = metrics.lineSpacing();
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const int pageWidth = painter.device()->width();
    const int pageHeight = painter.device()->height();
    const auto charsPerLine =
        static_cast<qsizetype>(std::max(1.0, std::floor((pageWidth - kPrintAreaLeft) / charWidth)));

    const double firstBaseline = kPrintAreaTop + metrics.ascent();
    double baseline = firstBaseline;
    for (const std::string& line : lines_) {
        const QString text = FromLatin1(line);
        qsizetype start = 0;
        do {
            if (baseline + metrics.descent() > pageHeight && baseline > firstBaseline) {
                printer_.newPage();
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
