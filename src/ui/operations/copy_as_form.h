#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>

#include "ui/operations/from_to_address_fields.h"
#include "operations/copy_as_dialog.h"
#include "operations/selection.h"
#include "widgets/history_combo_box.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;

// "Copy As ": a typed range, or the editor's selection of several cells, as a C array, an
// assembler data block or an HTML page on the clipboard.
class TForm6 : public QDialog {
    Q_OBJECT

public:
    TForm6(const MemoryBuffer& buffer, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Both address fields show the cursor's address; a selection of several cells disables
    // them, since the conversion then takes the selection. `title` heads the HTML page.
    void Preset(std::int32_t cursorAddress, const Selection& selection, const QString& title);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();

    const MemoryBuffer& buffer_;
    MessageBoxes& boxes_;
    CopyAsDialog model_;
    HistoryBindings fields_;
    Selection selection_ = Selection::OfAddress(0);
    QString title_;

    QComboBox* ComboBox1;
    FromToAddressFields range_;
};

} // namespace zav
