#pragma once

#include <QDialog>

#include <optional>

#include "operations/find_dialog.h"
#include "widgets/history_combo_box.h"
#include "widgets/radio_group.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// "Search": finds hex bytes or text from the editor's cursor up or down. Search Again runs
// the same search without showing the dialog.
class TForm7 : public QDialog {
    Q_OBJECT

public:
    // The search text starts as the byte under the cursor when the dialog is created.
    TForm7(const MemoryBuffer& buffer, MessageBoxes& boxes, std::int32_t cursorAddress,
           QWidget* parent = nullptr);

    // The cell the search starts from; set before every showing.
    void SetCursorAddress(std::int32_t cursorAddress);
    // After OK: the match, where the editor's cursor goes.
    [[nodiscard]] std::optional<std::int32_t> Match() const { return match_; }
    // Search Again: the dialog's current settings from the cursor, without showing it, going
    // on from the other end of the buffer past its end. The match, or nothing after "Search
    // String not found" or an input message.
    std::optional<std::int32_t> SearchAgain(std::int32_t cursorAddress);
    [[nodiscard]] const FindDialog& Model() const { return model_; }

private:
    void Button1Click();
    std::optional<std::int32_t> Search(bool wrapAround = false);

    const MemoryBuffer& buffer_;
    MessageBoxes& boxes_;
    FindDialog model_;
    std::int32_t cursorAddress_;
    std::optional<std::int32_t> match_;

    HistoryComboBox* ComboBox1;
    RadioGroup* RadioGroup2;
    RadioGroup* RadioGroup1;
};

} // namespace zav
