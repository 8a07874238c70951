#include "ui/files/save_file_form.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <algorithm>

#include "buffer/memory_buffer.h"
#include "ui/files/file_name_row.h"
#include "widgets/dialog_stack.h"
#include "widgets/history_combo_box.h"
#include "widgets/labelled_field.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/system_text.h"

namespace zav {

TSavef::TSavef(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), buffer_(buffer), status_(status), boxes_(boxes), model_(buffer.LastAddress())
{
    setWindowTitle(QStringLiteral("Save File From Buffer"));
    const FileNameParts fileName = NewFileNameParts(this);
    Label1 = fileName.caption;
    Edit1 = fileName.path;
    Button1 = fileName.browse;
    Label2 = NewHeading(QStringLiteral("Buffer Save Options"), this);
    Label3 = new QLabel(QStringLiteral("Save File As : "), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (FileFormat format : SaveFileDialog::Formats()) {
        ComboBox1->addItem(FromLatin1(std::string(FileFormatDisplayName(format))));
    }
    CheckBox1 = new QCheckBox(QStringLiteral("Save Entire Buffer"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(QStringLiteral("Save Unimplemented  Areas"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    const AddressRangeFields range = NewAddressRangeFields(QStringLiteral("Lowest Buffer address to Save :"),
                                                          QStringLiteral("Higest Buffer address to Save :"), this);
    Label4 = range.lowCaption;
    Edit2 = range.low;
    Label5 = range.highCaption;
    Edit3 = range.high;
    QGridLayout* addresses = range.grid;
    auto* buttons = NewFileDialogButtons(*this, [this] { Button2Click(); });
    Button2 = buttons->Ok();
    Button3 = buttons->Cancel();

    QHBoxLayout* pathRow = NewPathRow(fileName);
    StackDialog(*this, {Label1, pathRow, DialogRow::Gap(6), Label2, NewFormatRow(Label3, ComboBox1),
                        CheckBox1, CheckBox2, addresses, buttons});

    connect(Button1, &QPushButton::clicked, this, &TSavef::Button1Click);
    connect(ComboBox1, &QComboBox::activated, this, &TSavef::ComboBox1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TSavef::CheckBox1Click);
    ShowModel();
}

void TSavef::StoreFields()
{
    model_.SetFormat(SaveFileDialog::Formats()[static_cast<std::size_t>(ComboBox1->currentIndex())]);
    model_.SetSaveEntireBuffer(CheckBox1->isChecked());
    model_.SetSaveUnimplemented(CheckBox2->isChecked());
    model_.SetLowText(ToLatin1(Edit2->text()));
    model_.SetHighText(ToLatin1(Edit3->text()));
}

void TSavef::ShowModel()
{
    Edit1->setText(FromSystemPath(model_.Path()));
    const auto& formats = SaveFileDialog::Formats();
    const auto chosen = std::find(formats.begin(), formats.end(), model_.Format());
    ComboBox1->setCurrentIndex(static_cast<int>(chosen - formats.begin()));
    CheckBox1->setChecked(model_.SaveEntireBuffer());
    CheckBox2->setChecked(model_.SaveUnimplemented());
    CheckBox2->setEnabled(model_.SaveUnimplementedEnabled());
    Edit2->setText(FromLatin1(model_.LowText()));
    Edit3->setText(FromLatin1(model_.HighText()));
    SetControlsEnabled(model_.RangeFieldsEnabled(), {Label4, Edit2, Label5, Edit3});
    Button2->setEnabled(model_.OkEnabled());
}

void TSavef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Until a file is chosen Browse is the one useful control; afterwards OK.
    if (model_.OkEnabled()) {
        Button2->setFocus(Qt::OtherFocusReason);
    } else {
        Button1->setFocus(Qt::OtherFocusReason);
    }
}

void TSavef::Button1Click()
{
    const auto chosen = chooser_(this);
    if (!chosen) return;
    StoreFields();
    model_.FileChosen(ToSystemPath(chosen->path), chosen->filterIndex);
    ShowModel();
    Edit1->selectAll();
}

void TSavef::ComboBox1Change()
{
    StoreFields();
    ShowModel();
}

void TSavef::CheckBox1Click()
{
    StoreFields();
    ShowModel();
}

void TSavef::Button2Click()
{
    StoreFields();
    if (model_.Ok(buffer_, status_, boxes_)) {
        accept();
    } else {
        reject();
    }
}

} // namespace zav
