#pragma once

#include <QDialog>
#include <QLabel>

#include "ui/operations/from_to_address_fields.h"
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

    FromToAddressFields range_;
};

} // namespace zav
