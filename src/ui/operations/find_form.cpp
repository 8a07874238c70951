#include "ui/operations/find_form.h"

#include <QHBoxLayout>

#include "widgets/dialog_stack.h"
#include "widgets/ok_cancel_buttons.h"
#include "widgets/reader_name.h"

namespace zav {

TForm7::TForm7(const MemoryBuffer& buffer, MessageBoxes& boxes, std::int32_t cursorAddress, QWidget* parent)
    : QDialog(parent), buffer_(buffer), boxes_(boxes), model_(buffer, cursorAddress),
      cursorAddress_(cursorAddress)
{
    setWindowTitle(QStringLiteral("Search"));
    ComboBox1 = new HistoryComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    SetReaderName(*ComboBox1, QStringLiteral("Search for"));
    ComboBox1->ShowField(model_.SearchText());
    RadioGroup2 =
        new RadioGroup(QStringLiteral("Data Type"), {QStringLiteral("Hex"), QStringLiteral("Text")}, 2, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup1 =
        new RadioGroup(QStringLiteral("Direction"), {QStringLiteral("Up"), QStringLiteral("Down")}, 2, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->SetItemIndex(1);
    auto* buttons = new OkCancelButtons(*this, [this] { Button1Click(); });

    auto* choices = new QHBoxLayout;
    choices->addWidget(RadioGroup2);
    choices->addWidget(RadioGroup1);
    StackDialog(*this, {ComboBox1, choices, buttons});
    SelectOnShow(*this, *ComboBox1);
}

void TForm7::SetCursorAddress(std::int32_t cursorAddress)
{
    cursorAddress_ = cursorAddress;
    match_.reset();
}

std::optional<std::int32_t> TForm7::SearchAgain(std::int32_t cursorAddress)
{
    SetCursorAddress(cursorAddress);
    return Search(true);
}

std::optional<std::int32_t> TForm7::Search(bool wrapAround)
{
    ComboBox1->StoreText(model_.SearchText());
    model_.SetDataType(RadioGroup2->ItemIndex() == 1 ? SearchDataType::Text : SearchDataType::Hex);
    model_.SetDirection(RadioGroup1->ItemIndex() == 0 ? SearchDirection::Up : SearchDirection::Down);
    match_ = model_.Ok(buffer_, cursorAddress_, boxes_, wrapAround);
    // The history grows also when nothing matched, so it is shown again either way.
    ComboBox1->ShowField(model_.SearchText());
    return match_;
}

void TForm7::Button1Click()
{
    if (Search()) accept();
}

} // namespace zav
