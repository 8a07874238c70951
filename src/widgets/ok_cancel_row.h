#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace zav {

// The closing row of a dialog laid out by hand rather than through OkCancelButtons: Button1
// "OK" (the default) accepts the dialog and Button2 "Cancel" rejects it, at the right of
// `row`. The buttons are made when this is, so they take their place in the tab order here.
struct OkCancelRow {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
};

[[nodiscard]] OkCancelRow NewOkCancelRow(QDialog& dialog);

} // namespace zav
