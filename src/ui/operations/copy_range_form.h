#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "operations/copy_range_dialog.h"
#include "widgets/history_combo_box.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// "Copy Array": a typed range onto the clipboard as one line of hex values.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    TForm2(const MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Both fields show the cursor's address.
    void Preset(std::int32_t cursorAddress);

private:
    void Button1Click();

    const MemoryBuffer& buffer_;
    MessageBoxes& boxes_;
    CopyRangeDialog model_;
    HistoryBindings fields_;

    QLabel* Label1;
    HistoryComboBox* ComboBox1;
    QLabel* StaticText2;
    HistoryComboBox* ComboBox2;
    QPushButton* Button1;
    QPushButton* Button2;
};

} // namespace zav
