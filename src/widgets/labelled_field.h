#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace zav {

// A new field named `name` and its caption, stored in `label`, with the field as the
// caption's buddy so that the caption's mnemonic focuses the field.
template <typename Field>
Field* NewLabelledField(QLabel*& label, const QString& caption, const QString& name, QWidget* parent)
{
    label = new QLabel(caption, parent);
    auto* field = new Field(parent);
    field->setObjectName(name);
    label->setBuddy(field);
    return field;
}

} // namespace zav
