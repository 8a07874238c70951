#pragma once

#include <QDialog>

#include <optional>

#include "operations/go_to_dialog.h"
#include "widgets/history_combo_box.h"

namespace zav {

class MessageBoxes;

// "Go To Address": moves the editor's cursor to a typed address.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    TForm3(std::int32_t lastAddress, MessageBoxes& boxes, QWidget* parent = nullptr);

    // The field shows the cursor's address at every showing.
    void Preset(std::int32_t cursorAddress);
    // After OK: the address the editor's cursor goes to.
    [[nodiscard]] std::optional<std::int32_t> Target() const { return target_; }

private:
    void Button1Click();

    std::int32_t lastAddress_;
    MessageBoxes& boxes_;
    GoToDialog model_;
    std::optional<std::int32_t> target_;

    HistoryComboBox* ComboBox1;
};

} // namespace zav
