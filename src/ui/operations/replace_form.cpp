#include "ui/operations/replace_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "operations/hex_text.h"
#include "widgets/dialog_stack.h"
#include "widgets/reader_name.h"

namespace zav {

TReplaceForm::TReplaceForm(THexEdit& editor, std::int32_t cursorAddress, QWidget* parent)
    : QDialog(parent), editor_(editor)
{
    setObjectName(QStringLiteral("ReplaceForm"));
    setWindowTitle(QStringLiteral("Replace"));
    std::string firstByte;
    AppendHexByte(firstByte, editor.Buffer().GetByte(cursorAddress));
    model_.SearchText().SetText(firstByte);

    searchBox_ = new HistoryComboBox(this);
    searchBox_->setObjectName(QStringLiteral("SearchText"));
    replaceBox_ = new HistoryComboBox(this);
    replaceBox_->setObjectName(QStringLiteral("ReplaceText"));
    SetReaderName(*searchBox_, QStringLiteral("Search for"));
    SetReaderName(*replaceBox_, QStringLiteral("Replace with"));
    dataType_ =
        new RadioGroup(QStringLiteral("Data Type"), {QStringLiteral("Hex"), QStringLiteral("Text")}, 2, this);
    dataType_->setObjectName(QStringLiteral("DataType"));

    auto* buttons = new QDialogButtonBox(this);
    replaceButton_ = buttons->addButton(QStringLiteral("Replace"), QDialogButtonBox::ActionRole);
    replaceButton_->setObjectName(QStringLiteral("ReplaceButton"));
    replaceButton_->setDefault(true);
    replaceAllButton_ = buttons->addButton(QStringLiteral("Replace All"), QDialogButtonBox::ActionRole);
    replaceAllButton_->setObjectName(QStringLiteral("ReplaceAllButton"));
    closeButton_ = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Search for:"), searchBox_);
    fields->addRow(QStringLiteral("Replace with:"), replaceBox_);
    StackDialog(*this, {fields, dataType_, buttons});
    fields_.Bind(searchBox_, model_.SearchText());
    fields_.Bind(replaceBox_, model_.ReplaceText());
    fields_.ShowAll();
    SelectOnShow(*this, *searchBox_);

    connect(replaceButton_, &QPushButton::clicked, this, &TReplaceForm::ReplaceClick);
    connect(replaceAllButton_, &QPushButton::clicked, this, &TReplaceForm::ReplaceAllClick);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TReplaceForm::StoreFields()
{
    fields_.StoreAll();
    model_.SetDataType(dataType_->ItemIndex() == 1 ? SearchDataType::Text : SearchDataType::Hex);
}

void TReplaceForm::MarkMatches()
{
    fields_.ShowAll();
    if (!model_.LastPattern().empty()) {
        editor_.SetFindHighlight(model_.LastPattern(), model_.DataType() == SearchDataType::Text);
    }
}

void TReplaceForm::ReplaceClick()
{
    StoreFields();
    const ReplaceStep step = model_.ReplaceOne(editor_.Buffer(), editor_.CursorAddress(), editor_.Boxes());
    if (step.refused) QApplication::beep();
    if (step.cursorTarget) editor_.SelectAddress(*step.cursorTarget);
    MarkMatches();
}

void TReplaceForm::ReplaceAllClick()
{
    StoreFields();
    model_.ReplaceAll(editor_.Buffer(), editor_.Boxes());
    MarkMatches();
}

} // namespace zav
