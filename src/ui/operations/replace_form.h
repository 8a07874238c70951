#pragma once

#include <QDialog>
#include <QPushButton>

#include "operations/replace_dialog.h"
#include "widgets/history_combo_box.h"
#include "widgets/radio_group.h"

namespace zav {

class THexEdit;

// "Replace": the search text and its replacement, as hex bytes or text. Replace overwrites
// the match at the cursor and goes on to the next, Replace All overwrites every match as one
// undo step; the dialog stays open until Close, and the editor marks the matches.
class TReplaceForm : public QDialog {
    Q_OBJECT

public:
    TReplaceForm(THexEdit& editor, std::int32_t cursorAddress, QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* ReplaceButton() const { return replaceButton_; }
    [[nodiscard]] QPushButton* ReplaceAllButton() const { return replaceAllButton_; }

private:
    void StoreFields();
    void ReplaceClick();
    void ReplaceAllClick();
    void MarkMatches();

    THexEdit& editor_;
    ReplaceDialog model_;
    HistoryBindings fields_;
    HistoryComboBox* searchBox_;
    HistoryComboBox* replaceBox_;
    RadioGroup* dataType_;
    QPushButton* replaceButton_;
    QPushButton* replaceAllButton_;
    QPushButton* closeButton_;
};

} // namespace zav
