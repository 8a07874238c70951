#include "ui/buffer/explaine_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "buffer/checksum.h"
#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "ui/buffer/cell_dialog_window.h"
#include "ui/buffer/description_cell_delegate.h"
#include "ui/buffer/description_table_model.h"
#include "ui/buffer/hex_edit_window.h"
#include "messages/message_boxes.h"
#include "sequences/sequence_plan.h"
#include "widgets/latin1_text.h"
#include "widgets/menu_keys.h"
#include "widgets/system_text.h"
#include "widgets/reader_name.h"

namespace zav {

namespace {

// Column widths and row height at the design size (a 13-pixel font).
constexpr std::array<int, DescriptionTableModel::ColumnCount> kColumnDesignWidths{15, 15, 55, 35, 1400};
constexpr int kRowDesignHeight = 19;

// The notes keep their lines separated by CR LF, as the buffer files carry them; the memo
// separates them by line feeds.
QString NotesForMemo(const std::string& notes)
{
    QString text = FromLatin1(notes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string NotesFromMemo(QString text)
{
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToLatin1(text);
}

// The files keep names and notes as Latin-1 bytes: a character they cannot carry is taken
// out of the field again at once, with a message, rather than stored as "?". Returns the
// field's text as the files keep it.
std::string KeptAsLatin1(QLineEdit& field, MessageBoxes& boxes)
{
    QString text = field.text();
    const int cursor = field.cursorPosition();
    const qsizetype length = text.size();
    const QString refused = TakeOutsideLatin1(text);
    if (!refused.isEmpty()) {
        field.setText(text);
        field.setCursorPosition(std::max(0, cursor - static_cast<int>(length - text.size())));
        boxes.ShowError(NotCarriedByFilesText(ToSystemText(refused)));
    }
    return ToLatin1(text);
}

void SetTextIfChanged(QLineEdit& field, const QString& text)
{
    if (field.text() != text) field.setText(text);
}

// The comment column is far wider than the window: bringing a clicked comment into view
// would scroll to its far end, leaving every row looking empty and the column titles
// behind. Only the rows scroll into view; the columns stay where the user left them.
class DescriptionGrid final : public QTableView {
public:
    using QTableView::QTableView;

    void scrollTo(const QModelIndex& index, ScrollHint hint) override
    {
        const int left = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(left);
    }
};

} // namespace

TExplaine::TExplaine(THexEdit& editor, QWidget* parent) : QWidget(parent, Qt::Window), editor_(editor)
{
    setObjectName(QStringLiteral("Explaine"));
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);

    // Created in the order the tab key visits them.
    QFormLayout* names = CreateNameFields();
    CreateGrid();
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("ProjNotes"));
    notes_->setToolTip(QStringLiteral("Notes"));
    SetReaderName(*notes_, QStringLiteral("Notes"));
    CreateActions();
    columnBar_ = CreateColumnBar();
    LayOutWindow(names);
    RefreshChecksums();
    SizeColumns();
    resize(370, 283);
    ConnectFields();

    RefreshDescription();
    notes_->selectAll();
    deleteRow_->setEnabled(false);
}

QFormLayout* TExplaine::CreateNameFields()
{
    projectName_ = new QLineEdit(this);
    projectName_->setObjectName(QStringLiteral("ProjectName"));
    projectName_->setToolTip(QStringLiteral("Project Name"));
    deviceName_ = new QLineEdit(this);
    deviceName_->setObjectName(QStringLiteral("DeviceName"));
    deviceName_->setToolTip(QStringLiteral("Device Name"));
    auto* names = new QFormLayout;
    names->addRow(QStringLiteral("Name:"), projectName_);
    names->addRow(QStringLiteral("Device:"), deviceName_);
    return names;
}

void TExplaine::CreateGrid()
{
    model_ = new DescriptionTableModel(editor_.Buffer(), this);
    grid_ = new DescriptionGrid(this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setToolTip(QStringLiteral("Memory cell properties Editor"));
    SetReaderName(*grid_, QStringLiteral("Cell properties"));
    grid_->setModel(model_);
    grid_->setItemDelegate(new DescriptionCellDelegate(grid_));
    grid_->horizontalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->hide();
    grid_->setShowGrid(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->installEventFilter(this);
    grid_->setCurrentIndex(model_->index(0, DescriptionTableModel::Address));
}

void TExplaine::LayOutWindow(QFormLayout* names)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(names);
    layout->addWidget(columnBar_);
    layout->addWidget(grid_, 3);
    layout->addWidget(notes_, 1);
    checksums_ = new QLabel(this);
    checksums_->setObjectName(QStringLiteral("EepromChecksums"));
    checksums_->setToolTip(
        QStringLiteral("CRC-32 (IEEE 802.3) and 16-bit sum of the buffer over the selected device's EEPROM"));
    checksums_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(checksums_);
}

void TExplaine::ConnectFields()
{
    connect(projectName_, &QLineEdit::textEdited, this, [this] { ProjectNameChange(); });
    connect(deviceName_, &QLineEdit::textEdited, this, [this] { DeviceNameChange(); });
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] { NotesChange(); });
    connect(grid_, &QTableView::doubleClicked, this, [this] { CellEditExecute(); });
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { cellPropMenu_->popup(grid_->viewport()->mapToGlobal(point)); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { grid_->viewport()->update(); });
}

TExplaine::~TExplaine() = default;

QWidget* TExplaine::CreateColumnBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(grid_->frameWidth(), 0, 0, 0);
    layout->setSpacing(0);
    for (QAction* action : {deleteRow_, addRow_}) {
        auto* button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // The buttons show "+" and "-"; a reader says what they do.
        SetReaderName(*button, action->toolTip());
        layout->addWidget(button);
    }
    for (const char* title : {"Address", "Data", "Comment"}) {
        auto* label = new QLabel(QString::fromLatin1(title), bar);
        label->setIndent(2);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    return bar;
}

void TExplaine::CreateActions()
{
    addRow_ = new QAction(QStringLiteral("+"), this);
    addRow_->setObjectName(QStringLiteral("AddRow"));
    addRow_->setToolTip(QStringLiteral("Add Row"));
    deleteRow_ = new QAction(QStringLiteral("-"), this);
    deleteRow_->setObjectName(QStringLiteral("DeleteRow"));
    deleteRow_->setToolTip(QStringLiteral("Delete Row"));
    cellEdit_ = new QAction(QStringLiteral("Edit"), this);
    cellEdit_->setObjectName(QStringLiteral("CellEdit"));
    cellEdit_->setToolTip(QStringLiteral("Edit memory cell"));
    connect(addRow_, &QAction::triggered, this, [this] { AddRowExecute(); });
    connect(deleteRow_, &QAction::triggered, this, [this] { DeleteRowExecute(); });
    connect(cellEdit_, &QAction::triggered, this, [this] { CellEditExecute(); });

    cellPropMenu_ = new QMenu(this);
    cellPropMenu_->setObjectName(QStringLiteral("CellPropMenu"));
    cellPropMenu_->addAction(cellEdit_);
    // The menu names the row commands in words; the bar's buttons show "+" and "-".
    for (const auto& [action, text] : {std::pair{addRow_, "Add Row"}, std::pair{deleteRow_, "Delete Row"}}) {
        auto* item = cellPropMenu_->addAction(QString::fromLatin1(text));
        item->setEnabled(action->isEnabled());
        connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
        connect(item, &QAction::triggered, action, &QAction::trigger);
    }
    GiveMenuMnemonics(*cellPropMenu_);
}

void TExplaine::SizeColumns()
{
    const QFontMetrics metrics(grid_->font());
    const double scale = std::max(1.0, metrics.height() / 16.0);
    const std::array<int, DescriptionTableModel::ColumnCount> textWidths{
        metrics.height(), metrics.horizontalAdvance(QStringLiteral("W")) + 6,
        metrics.horizontalAdvance(QStringLiteral("0x0000")) + 8,
        metrics.horizontalAdvance(QStringLiteral("0xFF")) + 8, 0};
    QHBoxLayout* bar = qobject_cast<QHBoxLayout*>(columnBar_->layout());
    for (int column = 0; column < DescriptionTableModel::ColumnCount; ++column) {
        const auto slot = static_cast<std::size_t>(column);
        const int width = std::max(textWidths[slot], static_cast<int>(kColumnDesignWidths[slot] * scale));
        grid_->setColumnWidth(column, width);
        // The bar's "-", "+" and titles stand over the first four columns.
        if (column + 1 < DescriptionTableModel::ColumnCount)
            bar->itemAt(column)->widget()->setFixedWidth(width);
    }
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(
        std::max(metrics.height() + 4, static_cast<int>(kRowDesignHeight * scale)));
}

void TExplaine::RefreshCells()
{
    RepaintCells();
    RefreshChecksums();
}

void TExplaine::RepaintCells()
{
    if (isVisible()) model_->RefreshCells();
}

void TExplaine::SetChecksumDevice(const std::string& deviceName)
{
    const std::optional<SequencePlan> plan = FindSequencePlan(deviceName);
    checksumRange_ = plan ? std::optional(plan->eeprom) : std::nullopt;
    RefreshChecksums();
}

void TExplaine::RefreshChecksums()
{
    if (checksums_ == nullptr || !isVisible()) return;
    if (!checksumRange_) {
        checksums_->setText(QStringLiteral("EEPROM checksums: no device selected"));
        return;
    }
    checksums_->setText(FromLatin1("EEPROM " + AddressText(checksumRange_->first) + "-" +
                                   AddressText(checksumRange_->last) + ":  " +
                                   ChecksumsCaption(BufferChecksums(editor_.Buffer(), {*checksumRange_}))));
}

void TExplaine::RefreshDescription()
{
    const Description& description = editor_.Buffer().Descriptions();
    SetTextIfChanged(*projectName_, FromLatin1(description.GetProjectName()));
    SetTextIfChanged(*deviceName_, FromLatin1(description.GetDeviceName()));
    const QString notes = NotesForMemo(description.GetNotes());
    if (notes_->toPlainText() != notes) {
        const QSignalBlocker blocker(notes_);
        notes_->setPlainText(notes);
    }
    model_->Reload();
    if (!grid_->currentIndex().isValid()) SetCurrentRow(0);
    UpdateCaption();
}

int TExplaine::CurrentRow() const
{
    return std::max(0, grid_->currentIndex().row());
}

void TExplaine::SetCurrentRow(int row)
{
    grid_->setCurrentIndex(
        model_->index(std::clamp(row, 0, model_->rowCount() - 1), DescriptionTableModel::Address));
}

void TExplaine::UpdateCaption()
{
    setWindowTitle(projectName_->text() + QStringLiteral(" Description"));
}

void TExplaine::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    UpdateCaption();
    RefreshChecksums();
    projectName_->setFocus();
    SetActionsEnabled(true);
    model_->RefreshCells();
    emit ExplaineOpen();
}

void TExplaine::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    SetActionsEnabled(false);
    emit ExplaineClose();
}

bool TExplaine::eventFilter(QObject* watched, QEvent* event)
{
    // Any character typed into the grid opens the cell dialog for the current row; the
    // arrow and page keys, which type nothing, still move through the rows.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text != QStringLiteral("\t") && cellEdit_->isEnabled()) {
            CellEditExecute();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TExplaine::SetActionsEnabled(bool enabled)
{
    addRow_->setEnabled(enabled);
    deleteRow_->setEnabled(enabled);
    cellEdit_->setEnabled(enabled);
}

void TExplaine::ProjectNameChange()
{
    editor_.Buffer().Descriptions().SetProjectName(KeptAsLatin1(*projectName_, editor_.Boxes()));
    UpdateCaption();
}

void TExplaine::DeviceNameChange()
{
    editor_.Buffer().Descriptions().SetDeviceName(KeptAsLatin1(*deviceName_, editor_.Boxes()));
}

void TExplaine::NotesChange()
{
    QString text = notes_->toPlainText();
    const QString refused = TakeOutsideLatin1(text);
    if (!refused.isEmpty()) {
        const int cursor = notes_->textCursor().position();
        const auto removed = static_cast<int>(notes_->toPlainText().size() - text.size());
        {
            const QSignalBlocker blocker(notes_);
            notes_->setPlainText(text);
        }
        QTextCursor at = notes_->textCursor();
        at.setPosition(std::clamp(cursor - removed, 0, static_cast<int>(text.size())));
        notes_->setTextCursor(at);
        editor_.Boxes().ShowError(NotCarriedByFilesText(ToSystemText(refused)));
    }
    editor_.Buffer().Descriptions().SetNotes(NotesFromMemo(text));
}

void TExplaine::AddRowExecute()
{
    editor_.Buffer().Descriptions().AddRow();
}

void TExplaine::DeleteRowExecute()
{
    editor_.Buffer().Descriptions().DeleteRow();
}

void TExplaine::CellEditExecute()
{
    if (cellDialog_ == nullptr) cellDialog_ = new TForm8(editor_, *this);
    cellDialog_->Edit(CurrentRow());
}

} // namespace zav
