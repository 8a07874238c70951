#include "ui/files/file_name_row.h"

#include "widgets/labelled_field.h"
#include "widgets/reader_name.h"

namespace zav {

FileNameParts NewFileNameParts(QWidget* parent)
{
    FileNameParts parts{};
    parts.caption = new QLabel(QStringLiteral("File Name"), parent);
    parts.path = new QLineEdit(parent);
    parts.path->setObjectName(QStringLiteral("Edit1"));
    parts.path->setReadOnly(true);
    parts.caption->setBuddy(parts.path);
    SetReaderName(*parts.path, QStringLiteral("File Name"));
    parts.path->setMinimumWidth(parts.path->fontMetrics().averageCharWidth() * 48);
    parts.browse = new QPushButton(QStringLiteral("Browse"), parent);
    parts.browse->setObjectName(QStringLiteral("Button1"));
    parts.browse->setAutoDefault(false);
    return parts;
}

QHBoxLayout* NewPathRow(const FileNameParts& parts, QToolButton* recent)
{
    auto* row = new QHBoxLayout;
    if (recent != nullptr) row->setSpacing(0);
    row->addWidget(parts.path, 1);
    if (recent != nullptr) {
        row->addWidget(recent);
        row->addSpacing(8);
    }
    row->addWidget(parts.browse);
    return row;
}

AddressRangeFields NewAddressRangeFields(const QString& lowCaption, const QString& highCaption, QWidget* parent)
{
    AddressRangeFields fields{};
    fields.grid = new QGridLayout;
    fields.low = AddLabelledRow<QLineEdit>(*fields.grid, 0, fields.lowCaption, lowCaption, QStringLiteral("Edit2"),
                                           parent);
    fields.high = AddLabelledRow<QLineEdit>(*fields.grid, 1, fields.highCaption, highCaption,
                                            QStringLiteral("Edit3"), parent);
    return fields;
}

OkCancelButtons* NewFileDialogButtons(QDialog& dialog, const std::function<void()>& onOk, const QString& okText)
{
    auto* buttons = new OkCancelButtons(dialog, onOk, okText);
    buttons->Ok()->setObjectName(QStringLiteral("Button2"));
    buttons->Cancel()->setObjectName(QStringLiteral("Button3"));
    return buttons;
}

QHBoxLayout* NewFormatRow(QLabel* caption, QComboBox* formats)
{
    caption->setBuddy(formats);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(formats, 1);
    return row;
}

} // namespace zav
