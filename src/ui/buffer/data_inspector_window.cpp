#include "ui/buffer/data_inspector_window.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/hex_edit_window.h"
#include "operations/data_inspector.h"
#include "widgets/latin1_text.h"
#include "widgets/reader_name.h"

namespace zav {

TDataInspector::TDataInspector(THexEdit& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor), table_(new QTableWidget(kInspectorRowCount, 2, this))
{
    setObjectName(QStringLiteral("DataInspector"));
    setWindowTitle(QStringLiteral("Data Inspector"));
    table_->setObjectName(QStringLiteral("InspectorTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Type"), QStringLiteral("Value")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setToolTip(QStringLiteral("Type a value to write it at the cursor"));
    SetReaderName(*table_, QStringLiteral("Values at the cursor"));
    for (int row = 0; row < kInspectorRowCount; ++row) {
        auto* name = new QTableWidgetItem(FromLatin1(InspectorRowName(static_cast<InspectorRow>(row))));
        name->setFlags(Qt::ItemIsEnabled);
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, new QTableWidgetItem);
    }
    table_->resizeColumnToContents(0);
    // Typing goes straight into the value of the first row.
    table_->setCurrentCell(0, 1);
    connect(table_, &QTableWidget::itemChanged, this, &TDataInspector::ValueEdited);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    const QFontMetrics metrics(table_->font());
    resize(metrics.horizontalAdvance(QStringLiteral("Unsigned 32 BE  -2147483648")) + 40,
           table_->horizontalHeader()->sizeHint().height() +
               kInspectorRowCount * table_->verticalHeader()->defaultSectionSize() + 4);
}

void TDataInspector::Refresh()
{
    if (!isVisible()) return;
    refreshing_ = true;
    const std::int32_t address = editor_.CursorAddress();
    for (int row = 0; row < kInspectorRowCount; ++row) {
        const std::string text = InspectorValueText(editor_.Buffer(), address, static_cast<InspectorRow>(row));
        // The character shows as in the character pane, control codes included.
        const bool character = static_cast<InspectorRow>(row) == InspectorRow::Latin1 && text.size() == 1;
        table_->item(row, 1)->setText(character ? QString(GlyphOf(static_cast<std::uint8_t>(text.front())))
                                                : FromLatin1(text));
    }
    refreshing_ = false;
}

void TDataInspector::ValueEdited(QTableWidgetItem* item)
{
    if (refreshing_ || item->column() != 1) return;
    const auto row = static_cast<InspectorRow>(item->row());
    // A blank is a character of its own in the character row.
    const QString text = row == InspectorRow::Latin1 ? item->text() : item->text().trimmed();
    bool written = false;
    if (row == InspectorRow::Latin1) {
        // The character row takes a character as the character pane shows it.
        const std::optional<std::uint8_t> byte = text.size() == 1 ? ByteOfCharacter(text.front()) : std::nullopt;
        if (byte) {
            written = WriteInspectorValue(editor_.Buffer(), editor_.CursorAddress(), row,
                                          std::string(1, static_cast<char>(*byte)));
        }
    } else if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        // A character outside Latin-1 has no byte of its own.
        written = WriteInspectorValue(editor_.Buffer(), editor_.CursorAddress(), row, ToLatin1(text));
    }
    if (!written) QApplication::beep();
    editor_.RepaintGrids();
    Refresh();
}

void TDataInspector::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // First shown right of the editor, where it does not cover the cells it describes.
    if (!placed_) {
        placed_ = true;
        const QRect editor = editor_.frameGeometry();
        move(editor.right() + 1, editor.top());
    }
    if (toggle_ != nullptr) toggle_->setChecked(true);
    Refresh();
}

void TDataInspector::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (toggle_ != nullptr) toggle_->setChecked(false);
}

} // namespace zav
