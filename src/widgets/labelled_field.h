#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "widgets/reader_name.h"

namespace zav {

// A new field named `name` and its caption, stored in `label`, with the field as the
// caption's buddy so that the caption's mnemonic focuses the field and a reader says it.
template <typename Field>
Field* NewLabelledField(QLabel*& label, const QString& caption, const QString& name, QWidget* parent)
{
    label = new QLabel(caption, parent);
    auto* field = new Field(parent);
    field->setObjectName(name);
    label->setBuddy(field);
    SetReaderName(*field, ReaderNameOfCaption(caption));
    return field;
}

// NewLabelledField, with the caption and the field side by side in `row` of `grid`.
template <typename Field>
Field* AddLabelledRow(QGridLayout& grid, int row, QLabel*& label, const QString& caption, const QString& name,
                      QWidget* parent)
{
    auto* field = NewLabelledField<Field>(label, caption, name, parent);
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
    return field;
}

// A caption in bold over a group of options.
inline QLabel* NewHeading(const QString& text, QWidget* parent)
{
    auto* heading = new QLabel(text, parent);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    return heading;
}

} // namespace zav
