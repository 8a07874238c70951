#include "ui/files/load_file_form.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "ui/files/file_name_row.h"
#include "shell/app_settings.h"
#include "widgets/dialog_stack.h"
#include "widgets/history_combo_box.h"
#include "widgets/labelled_field.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/system_text.h"
#include "widgets/reader_name.h"

namespace zav {

TLoadf::TLoadf(MemoryBuffer& buffer, ProgramSettings& settings, StatusSink& status, MessageBoxes& boxes,
               QWidget* parent)
    : QDialog(parent), buffer_(buffer), settings_(settings), status_(status), boxes_(boxes)
{
    setWindowTitle(QStringLiteral("Load File Into Buffer"));
    const FileNameParts fileName = NewFileNameParts(this);
    Label1 = fileName.caption;
    Edit1 = fileName.path;
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Button1 = fileName.browse;
    Button4 = new QToolButton(this);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setArrowType(Qt::DownArrow);
    Button4->setToolTip(QStringLiteral("Recent files"));
    SetReaderName(*Button4, QStringLiteral("Recent files"));
    OpenedFileList = new QMenu(this);
    OpenedFileList->setObjectName(QStringLiteral("OpenedFileList"));

    Label2 = NewHeading(QStringLiteral("Buffer Load Options"), this);
    Label3 = new QLabel(QStringLiteral("Auto Format Detected : "), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumContentsLength(20);
    CheckBox1 = new QCheckBox(QStringLiteral("Load Entire File"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    const AddressRangeFields range = NewAddressRangeFields(QStringLiteral("Lowest Address From File To Load :"),
                                                          QStringLiteral("Highest Address From File To Load :"),
                                                          this);
    Label4 = range.lowCaption;
    Edit2 = range.low;
    Label5 = range.highCaption;
    Edit3 = range.high;
    QGridLayout* addresses = range.grid;
    Edit4 = AddLabelledRow<QLineEdit>(*addresses, 2, Label6,
                                      QStringLiteral("Offset Value To Place Data To Buffer:"),
                                      QStringLiteral("Edit4"), this);
    RadioGroup1 = new RadioGroup(QStringLiteral("Clear Buffer Before Loading File"),
                                 {QStringLiteral("Disable"), QStringLiteral("Clear Buffer With Zeros (0x00)"),
                                  QStringLiteral("Clear Buffer With Ones  (0xFF)")},
                                 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));

    auto* buttons = NewFileDialogButtons(*this, [this] { Button2Click(); });
    Button2 = buttons->Ok();
    Button3 = buttons->Cancel();

    QHBoxLayout* pathRow = NewPathRow(fileName, Button4);
    StackDialog(*this, {Label1, pathRow, DialogRow::Gap(6), Label2, NewFormatRow(Label3, ComboBox1),
                        CheckBox1, addresses, RadioGroup1, buttons});

    setTabOrder(Button4, Button1);
    setTabOrder(Button1, ComboBox1);
    connect(Button4, &QToolButton::clicked, this, &TLoadf::Button4Click);
    connect(Button1, &QPushButton::clicked, this, &TLoadf::Button1Click);
    connect(OpenedFileList, &QMenu::triggered, this, &TLoadf::OpenedFileListClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TLoadf::CheckBox1Click);
    ShowModel();
}

void TLoadf::ShowModel()
{
    Edit1->setText(FromSystemPath(model_.Path()));
    ComboBox1->clear();
    for (const std::string& format : model_.Formats()) ComboBox1->addItem(FromLatin1(format));
    ComboBox1->setCurrentIndex(model_.FormatIndex());
    CheckBox1->setChecked(model_.LoadEntireFile());
    Edit2->setText(FromLatin1(model_.LowText()));
    Edit3->setText(FromLatin1(model_.HighText()));
    Edit4->setText(FromLatin1(model_.OffsetText()));
    SetControlsEnabled(model_.AddressFieldsEnabled(), {Label4, Edit2, Label5, Edit3, Label6, Edit4});
    RadioGroup1->SetItemIndex(static_cast<int>(model_.Clear()));
    Button2->setEnabled(model_.OkEnabled());
}

void TLoadf::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OpenedFileList->clear();
    for (const std::string& caption : OpenFileDialog::RecentEntryCaptions(settings_.RecentFiles)) {
        // A path may hold '&', which a menu would take for a mnemonic.
        OpenedFileList->addAction(FromSystemPath(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    Button4->setFocus(Qt::OtherFocusReason);
}

void TLoadf::Button4Click()
{
    // Below the path field, at the dialog's left edge; the list is empty until a file loaded.
    const QPoint below(0, Edit1->geometry().bottom() + 1);
    OpenedFileList->popup(mapToGlobal(below));
}

void TLoadf::Button1Click()
{
    if (const auto chosen = chooser_(this)) Edit1Change(chosen->path);
}

void TLoadf::OpenedFileListClick(QAction* entry)
{
    const QString caption = entry->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    Edit1Change(FromSystemPath(OpenFileDialog::PathOfRecentEntry(ToSystemPath(caption))));
}

void TLoadf::StoreFields()
{
    model_.SetFormatIndex(ComboBox1->currentIndex());
    model_.SetLoadEntireFile(CheckBox1->isChecked());
    model_.SetLowText(ToLatin1(Edit2->text()));
    model_.SetHighText(ToLatin1(Edit3->text()));
    model_.SetOffsetText(ToLatin1(Edit4->text()));
    model_.SetClear(static_cast<ClearMode>(RadioGroup1->ItemIndex()));
}

void TLoadf::Edit1Change(const QString& path)
{
    StoreFields();
    model_.ChoosePath(ToSystemPath(path), boxes_);
    ShowModel();
    Edit1->selectAll();
}

void TLoadf::CheckBox1Click()
{
    StoreFields();
    ShowModel();
}

void TLoadf::Button2Click()
{
    StoreFields();
    if (LoadChosenFile(model_, buffer_, settings_, status_, boxes_) == OpenResult::Loaded) {
        accept();
        return;
    }
    Button2->setEnabled(model_.OkEnabled());
}

} // namespace zav
