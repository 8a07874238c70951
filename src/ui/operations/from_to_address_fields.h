#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace zav {

class HistoryBindings;
class HistoryComboBox;
class HistoryField;

// The "From Address" and "To Address" fields of the range dialogs, side by side, each under
// its caption. Where a selection of several cells gives the range they stand disabled.
struct FromToAddressFields {
    QLabel* fromLabel = nullptr;
    HistoryComboBox* from = nullptr;
    QLabel* toLabel = nullptr;
    HistoryComboBox* to = nullptr;

    // The captions on `row` of `grid` from `column` on, the fields on the row below.
    static FromToAddressFields Add(QGridLayout& grid, int row, int column, const QString& fromName,
                                   const QString& toName, QWidget* parent);
    void Bind(HistoryBindings& bindings, HistoryField& fromField, HistoryField& toField) const;
    void SetEnabled(bool enabled) const;
};

} // namespace zav
