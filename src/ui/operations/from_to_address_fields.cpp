#include "ui/operations/from_to_address_fields.h"

#include <QGridLayout>

#include "widgets/history_combo_box.h"
#include "widgets/labelled_field.h"

namespace zav {

FromToAddressFields FromToAddressFields::Add(QGridLayout& grid, int row, int column, const QString& fromName,
                                             const QString& toName, QWidget* parent)
{
    FromToAddressFields fields;
    fields.from =
        NewLabelledField<HistoryComboBox>(fields.fromLabel, QStringLiteral("From Address"), fromName, parent);
    fields.to =
        NewLabelledField<HistoryComboBox>(fields.toLabel, QStringLiteral("To Address"), toName, parent);
    grid.addWidget(fields.fromLabel, row, column);
    grid.addWidget(fields.toLabel, row, column + 1);
    grid.addWidget(fields.from, row + 1, column);
    grid.addWidget(fields.to, row + 1, column + 1);
    return fields;
}

void FromToAddressFields::Bind(HistoryBindings& bindings, HistoryField& fromField,
                               HistoryField& toField) const
{
    bindings.Bind(from, fromField);
    bindings.Bind(to, toField);
}

void FromToAddressFields::SetEnabled(bool enabled) const
{
    SetControlsEnabled(enabled, {fromLabel, from, toLabel, to});
}

} // namespace zav
