#include "ui/buffer/cell_dialog_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "buffer/description.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/palette_combo_box.h"
#include "messages/message_boxes.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/system_text.h"
#include "widgets/reader_name.h"

namespace zav {

namespace {

constexpr int kReadOnlyItem = 0;
constexpr int kReadWriteItem = 1;

QComboBox* HistoryBox(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(10);
    return box;
}

// The drop-down lists what the field accepted before; the field keeps the model's text.
void ShowField(QComboBox& box, HistoryField& field)
{
    const QSignalBlocker blocker(&box);
    box.clear();
    for (const std::string& text : field.History()) box.addItem(FromLatin1(text));
    box.setEditText(FromLatin1(field.Text()));
}

} // namespace

TForm8::TForm8(THexEdit& editor, TExplaine& description)
    : QDialog(&description, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      editor_(editor), description_(description)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Edit Cell"));
    setModal(true);

    address_ = HistoryBox(this, "ComboBox3");
    value_ = HistoryBox(this, "ComboBox4");
    comment_ = HistoryBox(this, "ComboBox5");
    colour_ = new PaletteComboBox(this);
    colour_->setObjectName(QStringLiteral("ComboBox1"));
    access_ = new QComboBox(this);
    access_->setObjectName(QStringLiteral("ComboBox2"));
    access_->addItems({QStringLiteral("Read Only"), QStringLiteral("Read/Write")});
    SetReaderName(*address_, QStringLiteral("Address"));
    SetReaderName(*value_, QStringLiteral("Data"));
    SetReaderName(*comment_, QStringLiteral("Comment"));
    SetReaderName(*colour_, QStringLiteral("Cell Color"));
    SetReaderName(*access_, QStringLiteral("Cell Access"));
    colour_->setCurrentIndex(0);
    access_->setCurrentIndex(kReadOnlyItem);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Address"), this), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("Data"), this), 0, 1);
    fields->addWidget(address_, 1, 0);
    fields->addWidget(value_, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Cell Color"), this), 2, 0);
    fields->addWidget(new QLabel(QStringLiteral("Cell Access"), this), 2, 1);
    fields->addWidget(colour_, 3, 0);
    fields->addWidget(access_, 3, 1);
    fields->addWidget(new QLabel(QStringLiteral("Comment"), this), 4, 0, 1, 2);
    fields->addWidget(comment_, 5, 0, 1, 2);

    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(address_, &QComboBox::editTextChanged, this, [this](const QString& text) { ComboBox3Change(text); });
}

bool TForm8::Edit(int row)
{
    row_ = row;
    model_.Show(editor_.Buffer(), row);
    ShowModelFields();
    colour_->setFocus();
    return exec() == QDialog::Accepted;
}

void TForm8::ShowModelFields()
{
    ShowField(*address_, model_.Address());
    ShowField(*comment_, model_.Comment());
    ShowCellFields();
}

void TForm8::ShowCellFields()
{
    ShowField(*value_, model_.Value());
    colour_->setCurrentIndex(model_.ColourIndex());
    access_->setCurrentIndex(model_.ReadOnly() ? kReadOnlyItem : kReadWriteItem);
}

void TForm8::ComboBox3Change(const QString& text)
{
    model_.AddressEdited(editor_.Buffer(), ToLatin1(text));
    ShowCellFields();
}

void TForm8::Button1Click()
{
    model_.Address().SetText(ToLatin1(address_->currentText()));
    model_.Value().SetText(ToLatin1(value_->currentText()));
    // The files keep comments as Latin-1 bytes; what they cannot carry is refused, not "?".
    QString comment = comment_->currentText();
    if (const QString refused = TakeOutsideLatin1(comment); !refused.isEmpty()) {
        comment_->setEditText(comment);
        editor_.Boxes().ShowError(NotCarriedByFilesText(ToSystemText(refused)));
        return;
    }
    model_.Comment().SetText(ToLatin1(comment));
    model_.SetColourIndex(colour_->currentIndex());
    model_.SetReadOnly(access_->currentIndex() == kReadOnlyItem);
    if (!model_.Ok(editor_.Buffer(), row_, editor_.Boxes())) return;
    editor_.RepaintGrids();
    description_.RefreshDescription();
    accept();
}

} // namespace zav
