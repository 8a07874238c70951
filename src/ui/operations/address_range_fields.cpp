#include "ui/operations/address_range_fields.h"

#include <QGridLayout>

#include "widgets/history_combo_box.h"
#include "widgets/labelled_field.h"

namespace zav {

AddressRangeFields AddressRangeFields::Add(QGridLayout& grid, int row, int column, const QString& fromName,
                                           const QString& toName, QWidget* parent)
{
    AddressRangeFields fields;
    fields.from = NewLabelledField<HistoryComboBox>(fields.fromLabel, QStringLiteral("From Address"), fromName, parent);
    fields.to = NewLabelledField<HistoryComboBox>(fields.toLabel, QStringLiteral("To Address"), toName, parent);
    grid.addWidget(fields.fromLabel, row, column);
    grid.addWidget(fields.toLabel, row, column + 1);
    grid.addWidget(fields.from, row + 1, column);
    grid.addWidget(fields.to, row + 1, column + 1);
    return fields;
}

void AddressRangeFields::Bind(HistoryBindings& bindings, HistoryField& fromField, HistoryField& toField) const
{
    bindings.Bind(from, fromField);
    bindings.Bind(to, toField);
}

void AddressRangeFields::SetEnabled(bool enabled) const
{
    SetControlsEnabled(enabled, {fromLabel, from, toLabel, to});
}

} // namespace zav
