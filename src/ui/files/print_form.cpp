#include "ui/files/print_form.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProgressBar>

#include "buffer/memory_buffer.h"
#include "messages/status_sink.h"
#include "operations/dump_text.h"
#include "widgets/dialog_stack.h"
#include "widgets/labelled_field.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"

namespace zav {

namespace {

QString ChoosePdfFile(QWidget* parent, const QString& lastPath)
{
    QFileDialog dialog(parent, QStringLiteral("Print To File"), lastPath, QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

bool RunPrinterSetup(QPrinter& printer, QWidget* parent)
{
    QPrintDialog setup(&printer, parent);
    // Setup only chooses the printer and its options; Print on this form prints.
    setup.setWindowTitle(QStringLiteral("Print Setup"));
    if (auto* buttons = setup.findChild<QDialogButtonBox*>()) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok))
            accept->setText(QStringLiteral("OK"));
    }
    return setup.exec() == QDialog::Accepted;
}

} // namespace

TPrintd::TPrintd(const MemoryBuffer& buffer, StatusSink& status, QProgressBar& progressBar,
                 MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), status_(status), progressBar_(progressBar), boxes_(boxes),
      model_(buffer.LastAddress()), pdfChooser_(ChoosePdfFile),
      printerSetup_(RunPrinterSetup)
{
    setWindowTitle(QStringLiteral("Print"));
    // Calls from the print worker run when this thread's event loop gets to them.
    queue_->SetWakeUp([this] {
        QMetaObject::invokeMethod(
            this, [this] { queue_->Drain(); }, Qt::QueuedConnection);
    });

    Label1 = NewHeading(QStringLiteral("Buffer Printing Options"), this);
    auto* fields = new QGridLayout;
    Edit1 = AddLabelledRow<QLineEdit>(*fields, 0, Label2, QStringLiteral("From Address :"),
                                      QStringLiteral("Edit1"), this);
    Edit1->setText(FromLatin1(model_.FromText()));
    Edit2 = AddLabelledRow<QLineEdit>(*fields, 1, Label3, QStringLiteral("To Address :"),
                                      QStringLiteral("Edit2"), this);
    Edit2->setText(FromLatin1(model_.ToText()));
    RadioGroup1 =
        new RadioGroup(QStringLiteral("Bytes/Row"), {QStringLiteral("16"), QStringLiteral("32")}, 2, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* buttons = new OkCancelButtons(
        *this, [this] { Button2Click(); }, QStringLiteral("Print"));
    Button2 = buttons->Ok();
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = buttons->Cancel();
    Button3->setObjectName(QStringLiteral("Button3"));
    // Setup stands apart on the left, so Print and Cancel read as the dialog's answer.
    Button1 = new QPushButton(QStringLiteral("Setup ..."), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Button1);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons);
    StackDialog(*this, {Label1, fields, RadioGroup1, buttonRow});

    connect(Button1, &QPushButton::clicked, this, &TPrintd::Button1Click);
}

TPrintd::~TPrintd()
{
    // The job's own close request, drained by this wait, must not reach a dialog going away.
    closing_ = true;
    job_.Close();
}

void TPrintd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Button1->setEnabled(true);
    Button2->setEnabled(true);
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
}

void TPrintd::done(int result)
{
    // Every way of closing comes here; the job's own close request arriving while this
    // waits for the job is already covered by the close in progress.
    if (closing_) return;
    closing_ = true;
    job_.Close();
    closing_ = false;
    QDialog::done(result);
}

void TPrintd::Button1Click()
{
    if (!printerSetup_(printer_, this)) return;
    fileNamedInSetup_ = printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
}

bool TPrintd::ChooseOutput()
{
    const PrintOutput output = ChoosePrintOutput(!QPrinterInfo::availablePrinters().isEmpty(),
                                                 printer_.outputFormat() == QPrinter::PdfFormat, fileNamedInSetup_);
    if (output != PrintOutput::AskForFile) return true;
    const QString path = pdfChooser_(this, printer_.outputFileName());
    if (path.isEmpty()) return false;
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(path);
    return true;
}

void TPrintd::Button2Click()
{
    model_.SetFromText(ToLatin1(Edit1->text()));
    model_.SetToText(ToLatin1(Edit2->text()));
    model_.SetBytesPerRow(RadioGroup1->ItemIndex() == 1 ? 32 : 16);
    const auto settings = model_.Ok(boxes_);
    if (!settings || !ChooseOutput()) return;
    status_.AddStatusMessage(PrintStartLine(settings->range, document_.PrinterName()), StatusKind::Normal);
    printer_.setFullPage(false);
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    job_.Start(*settings, document_);
}

std::string TPrintd::BuildDump(AddressRange range, int bytesPerRow)
{
    return BuildDumpText(buffer_, range.first, range.last, bytesPerRow, boxes_);
}

void TPrintd::SetProgressMaximum(int maximum)
{
    progressBar_.setMaximum(maximum);
}

void TPrintd::SetProgressPosition(int position)
{
    progressBar_.setValue(position);
}

void TPrintd::AddStatusMessage(const std::string& text, StatusKind kind)
{
    status_.AddStatusMessage(text, kind);
}

void TPrintd::CloseDialog()
{
    if (!closing_) reject();
}

} // namespace zav
