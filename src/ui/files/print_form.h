#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include <functional>

#include "files/print_dialog.h"
#include "files/print_host.h"
#include "files/print_job_control.h"
#include "ui/files/printer_document.h"
#include "threads/hand_over_queue.h"
#include "widgets/radio_group.h"

class QProgressBar;

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// "Print": a memory dump of a range at 16 or 32 bytes per row, printed by a worker while the
// main window's progress bar follows. Closing the dialog, by Cancel, its close box or the
// job's own request, stops a running job and waits for it. Without an installed printer the
// dump goes to a PDF file the user chooses.
class TPrintd : public QDialog, private PrintHost {
    Q_OBJECT

public:
    // The buffer, the status sink and the progress bar belong to the main window and its
    // editor and outlive the dialog.
    TPrintd(const MemoryBuffer& buffer, StatusSink& status, QProgressBar& progressBar, MessageBoxes& boxes,
            QWidget* parent = nullptr);
    ~TPrintd() override;

    // Asks for the PDF file that stands in for a missing printer; empty when cancelled. The
    // system's save dialog unless a test replaced it.
    using PdfFileChooser = std::function<QString(QWidget* parent, const QString& lastPath)>;
    void SetPdfFileChooser(PdfFileChooser chooser) { pdfChooser_ = std::move(chooser); }
    // Setup: the system's printer dialog on the printer unless a test replaced it; true when
    // the user accepted it.
    using PrinterSetup = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void SetPrinterSetup(PrinterSetup setup) { printerSetup_ = std::move(setup); }
    // The printer the next job uses.
    [[nodiscard]] QPrinter& Printer() { return printer_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    void Button2Click();
    // Where the job prints: the selected printer, the file Setup named, or a PDF file asked
    // for now. False when the user cancelled the choice of that file.
    bool ChooseOutput();

    std::string BuildDump(AddressRange range, int bytesPerRow) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressPosition(int position) override;
    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    void CloseDialog() override;

    const MemoryBuffer& buffer_;
    StatusSink& status_;
    QProgressBar& progressBar_;
    MessageBoxes& boxes_;
    PrintDialog model_;
    QPrinter printer_{QPrinter::HighResolution};
    PrinterDocument document_{printer_};
    std::shared_ptr<HandOverQueue> queue_ = HandOverQueue::Create();
    PrintJobControl job_{queue_, *this};
    PdfFileChooser pdfChooser_;
    PrinterSetup printerSetup_;
    // The last accepted Setup named the PDF file the jobs go to.
    bool fileNamedInSetup_ = false;
    bool closing_ = false;

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLabel* Label3;
    QLineEdit* Edit2;
    RadioGroup* RadioGroup1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
};

} // namespace zav
