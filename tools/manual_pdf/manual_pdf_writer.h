#pragma once

#include <QString>

class ManualDocument;

// Pages the manual onto A4 and writes it as a PDF: the front matter, then the body,
// every page with the manual's title and its page number at the foot. The table of
// contents gets the page on which each chapter and section starts.
class ManualPdfWriter {
public:
    explicit ManualPdfWriter(QString title);

    // Builds `manual` from `markdown` for the page and writes it to `path`. False, with
    // `error` set, when the file cannot be written.
    bool Write(ManualDocument& manual, const QString& markdown, const QString& path, QString& error);

private:
    QString title_;
};
