#include "files/ui/file_name_row.h"
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

QHBoxLayout* NewFormatRow(QLabel* caption, QComboBox* formats)
{
    caption->setBuddy(formats);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(formats, 1);
    return row;
}

} // namespace zav
