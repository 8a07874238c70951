#pragma once

#include <QDialog>
#include <QLabel>

#include <optional>

#include "ui/operations/from_to_address_fields.h"
#include "operations/fill_dialog.h"
#include "operations/selection.h"
#include "widgets/history_combo_box.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// "Fill Array": one value into a typed range, or into the editor's selection of several
// cells, as one undo step.
class TForm5 : public QDialog {
    Q_OBJECT

public:
    TForm5(MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent = nullptr);

    // The value field shows the cursor's byte and both address fields its address; a
    // selection of several cells disables the address fields.
    void Preset(std::int32_t cursorAddress, const Selection& selection);
    // After OK: the last cell written, where the editor's cursor goes.
    [[nodiscard]] std::optional<std::int32_t> CursorTarget() const { return cursorTarget_; }

private:
    void Button1Click();

    MemoryBuffer& buffer_;
    MessageBoxes& boxes_;
    FillDialog model_;
    HistoryBindings fields_;
    Selection selection_ = Selection::OfAddress(0);
    std::optional<std::int32_t> cursorTarget_;

    QLabel* Label1;
    HistoryComboBox* ComboBox1;
    FromToAddressFields range_;
};

} // namespace zav
