#include "manual_pdf_writer.h"

#include "manual_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>

#include <cmath>
#include <utility>

namespace {

constexpr int kDotsPerInch = 300;
constexpr qreal kFooterPoints = 22;

qreal Points(qreal points, qreal dotsPerInch)
{
    return points * dotsPerInch / 72.0;
}

void PaintPage(QPainter& painter, QTextDocument& document, int page, const QSizeF& pageSize)
{
    painter.save();
    const QRectF area(0, page * pageSize.height(), pageSize.width(), pageSize.height());
    painter.translate(0, -area.top());
    painter.setClipRect(area);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = area;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

ManualPdfWriter::ManualPdfWriter(QString title) : title_(std::move(title)) {}

bool ManualPdfWriter::Write(ManualDocument& manual, const QString& markdown, const QString& path,
                            QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    writer.setTitle(title_);
    writer.setCreator(QStringLiteral("ZAV manual builder"));

    const qreal footer = Points(kFooterPoints, kDotsPerInch);
    const QSizeF pageSize(writer.width(), writer.height() - footer);
    manual.Build(markdown, pageSize.width() * 96.0 / kDotsPerInch);

    QTextDocument& front = manual.FrontMatter();
    QTextDocument& body = manual.Body();
    for (QTextDocument* document : {&front, &body}) {
        document->documentLayout()->setPaintDevice(&writer);
        document->setPageSize(pageSize);
    }
    const int frontPages = front.pageCount();
    const auto& headings = manual.Headings();
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const QTextBlock block = body.findBlockByNumber(headings[i].bodyBlock);
        const qreal top = body.documentLayout()->blockBoundingRect(block).top();
        manual.SetContentsPageNumber(i, frontPages + static_cast<int>(std::floor(top / pageSize.height())) + 1);
    }

    QPainter painter(&writer);
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(8);
    const QRectF footerArea(0, writer.height() - footer * 0.6, writer.width(), footer * 0.6);
    int pageNumber = 0;
    for (QTextDocument* document : {&front, &body}) {
        for (int page = 0; page < document->pageCount(); ++page) {
            if (pageNumber > 0) writer.newPage();
            ++pageNumber;
            PaintPage(painter, *document, page, pageSize);
            if (pageNumber == 1) continue; // the title page carries no foot line
            painter.setFont(footerFont);
            painter.setPen(QColor(0x66, 0x66, 0x66));
            painter.drawText(footerArea, Qt::AlignLeft | Qt::AlignBottom, title_);
            painter.drawText(footerArea, Qt::AlignRight | Qt::AlignBottom, QString::number(pageNumber));
        }
    }
    if (!painter.end()) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}
