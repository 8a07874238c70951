#include "ui/buffer/hex_edit_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <new>

#include "buffer/memory_buffer.h"
#include "ui/buffer/byte_glyph_text.h"
#include "ui/buffer/data_inspector_window.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "operations/cell_info.h"
#include "operations/dump_text.h"

namespace zav {

namespace {

// The editor's fonts are kept by name; asking for a fixed-pitch typewriter face lets the
// system substitute a monospaced font for names it does not have ("System", "Terminal").
// 13 pixels at 96 dots per inch, given in points so that it follows the screen's scale.
QFont EditorFont(const std::string& name)
{
    QFont font(QString::fromStdString(name));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(13 * 72.0 / 96.0);
    return font;
}

FontCellMetrics MetricsOf(const QFont& font, const QString& characters)
{
    const QFontMetrics metrics(font);
    int widest = 1;
    for (const QChar character : characters) widest = std::max(widest, metrics.horizontalAdvance(character));
    return {widest, metrics.height()};
}

QString HexDigits()
{
    return QStringLiteral("0123456789ABCDEF");
}

// The status bar's first four panels at the design size, and the widest text each can show;
// the fifth, the character set, takes the rest of the bar.
constexpr std::array<int, 4> kPanelDesignWidths{45, 70, 95, 170};
const std::array<const char*, 4> kPanelWidestTexts{" FFFF", "Dec: 255", "Bin: 00000000", "Unimplemented"};

} // namespace

THexEdit::THexEdit(MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), boxes_(boxes), buffer_(MemoryBuffer::Create(boxes))
{
    if (!buffer_) throw std::bad_alloc();
    setObjectName(QStringLiteral("HexEdit"));
    setWindowTitle(QStringLiteral("HexEdit"));
    setAccessibleName(QStringLiteral("Hex Editor"));

    hexPane_ = new HexGridView(*this, EditorGrid::Hex, this);
    charPane_ = new HexGridView(*this, EditorGrid::Char, this);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setHandleWidth(1);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(hexPane_);
    splitter_->addWidget(charPane_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->setToolTip(QStringLiteral("Memory cell numerical representation and properties"));
    for (std::size_t panel = 0; panel < statusPanels_.size(); ++panel) {
        auto* label = new QLabel(statusBar_);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        label->setFrameShape(QFrame::NoFrame);
        statusBar_->addWidget(label, panel + 1 == statusPanels_.size() ? 1 : 0);
        statusPanels_[panel] = label;
    }
    // The status bar's panels fill the window's width, so the selection takes a line of its
    // own below them, kept while empty so the rows do not jump when a selection starts. Its
    // checksums stand at the line's right end, or on a second line where both do not fit.
    selectionLine_ = new QWidget(this);
    selectionLine_->setObjectName(QStringLiteral("SelectionLine"));
    auto* selectionGrid = new QGridLayout(selectionLine_);
    // The checksums keep the indent's distance from the right edge.
    selectionGrid->setContentsMargins(0, 0, 4, 0);
    selectionGrid->setSpacing(0);
    selectionGrid->setColumnStretch(0, 1);
    selectionPanel_ = new QLabel(selectionLine_);
    selectionPanel_->setObjectName(QStringLiteral("SelectionPanel"));
    selectionPanel_->setIndent(4);
    selectionPanel_->setMinimumHeight(selectionPanel_->fontMetrics().height() + 2);
    selectionPanel_->setToolTip(QStringLiteral("Selection: first and last address, length"));
    selectionGrid->addWidget(selectionPanel_, 0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(statusBar_);
    layout->addWidget(selectionLine_);

    dialogs_ = CreateEditorDialogs(*this);
    CreateActions();
    CreateExtraActions();
    CreateDifferenceParts();
    CreatePopupMenu();
    SetEditActionsEnabled(false);

    buffer_->AddObserver(*this);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { FollowClipboard(); });

    ApplyEditorOptions(EditorOptions{});
    // Where the window opens before any settings say otherwise.
    const WindowLayout defaults;
    setGeometry(defaults.editor.left, defaults.editor.top, defaults.editor.width, defaults.editor.height);
}

void THexEdit::setVisible(bool visible)
{
    if (visible) BuildWindow();
    QWidget::setVisible(visible);
}

void THexEdit::BuildWindow()
{
    if (built_) return;
    built_ = true;
    MeasureFonts();
    // The layout kept stays for the description window's part, should that not be built.
    // The window's own place counts: it may have been moved since (placed beside the main
    // window on a first start).
    if (pendingLayout_) {
        WindowLayout layout = *pendingLayout_;
        const QRect placed = geometry();
        layout.editor = {placed.left(), placed.top(), placed.height(), placed.width()};
        ApplyEditorGeometry(layout);
    } else {
        // The settings loader starts from the window's own layout, so these are the
        // defaults a first start shows.
        requestedPaneWidth_ = layout_.HexPaneContentWidth() + 2 * hexPane_->frameWidth();
        splitter_->setSizes({requestedPaneWidth_,
                             layout_.CharPaneContentWidth() + 2 * charPane_->frameWidth() + ScrollBarWidth()});
        UpdateSizeLimits();
    }
    PaneResized();
    ShowCellInfo();
}

void THexEdit::MeasureFonts()
{
    // Measuring a font means loading each of its 256 glyphs.
    hexFont_ = EditorFont(options_.leftFont);
    charFont_ = EditorFont(options_.rightFont);
    hexPane_->SetPaneFont(hexFont_);
    charPane_->SetPaneFont(charFont_);
    const FontCellMetrics digits = MetricsOf(hexFont_, HexDigits());
    hexPane_->SetDigitAdvance(digits.charWidth);
    layout_ = HexViewLayout(digits, MetricsOf(charFont_, AllGlyphs()));
    fontsMeasured_ = true;
}

TExplaine& THexEdit::DescriptionWindow()
{
    if (!explaine_) {
        explaine_ = std::make_unique<TExplaine>(*this, this);
        const WindowBounds bounds = pendingLayout_ ? pendingLayout_->description : WindowLayout{}.description;
        if (pendingLayout_) {
            explaine_->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
        } else {
            explaine_->move(bounds.left, bounds.top);
        }
        if (!checksumDevice_.empty()) explaine_->SetChecksumDevice(checksumDevice_);
        connect(explaine_.get(), &TExplaine::ExplaineOpen, this, &THexEdit::DescriptionOpen);
        connect(explaine_.get(), &TExplaine::ExplaineClose, this, &THexEdit::DescriptionClose);
    }
    return *explaine_;
}

void THexEdit::SetChecksumDevice(const std::string& deviceName)
{
    checksumDevice_ = deviceName;
    if (explaine_) explaine_->SetChecksumDevice(deviceName);
}

void THexEdit::HideWithDescription()
{
    if (explaine_) explaine_->hide();
    hide();
}

TDataInspector& THexEdit::DataInspector()
{
    if (!inspector_) {
        inspector_ = std::make_unique<TDataInspector>(*this, this);
        inspector_->SetToggleAction(ExtraAction(EditorExtraAction::DataInspector));
    }
    return *inspector_;
}

THexEdit::~THexEdit()
{
    buffer_->RemoveObserver(*this);
}

void THexEdit::SetEditorDialogs(std::unique_ptr<EditorDialogs> dialogs)
{
    dialogs_ = std::move(dialogs);
    Action(EditorAction::SearchAgain)->setEnabled(ActionsLive() && dialogs_->FindDialogExists());
}

void THexEdit::SelectAddress(std::int32_t address)
{
    cursor_.SelectAddress(address);
    CursorMoved();
}

void THexEdit::ShowAddressAtTop(std::int32_t address)
{
    cursor_.ShowAddressAtTop(address);
    CursorMoved();
}

void THexEdit::RepaintGrids()
{
    hexPane_->viewport()->update();
    charPane_->viewport()->update();
    if (explaine_) explaine_->RepaintCells();
}

bool THexEdit::IsUndoEmpty() const
{
    return buffer_->Undo().IsEmpty();
}

void THexEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutSelectionLine();
}

void THexEdit::LayOutSelectionLine()
{
    if (checksumPanel_ == nullptr) return;
    auto* grid = static_cast<QGridLayout*>(selectionLine_->layout());
    const int gap = 3 * selectionPanel_->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int needed = selectionPanel_->sizeHint().width() + gap + checksumPanel_->sizeHint().width();
    const bool oneLine = checksumPanel_->isHidden() || needed <= width();
    const int row = oneLine ? 0 : 1;
    int shownRow = -1;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    if (const int at = grid->indexOf(checksumPanel_); at >= 0) {
        grid->getItemPosition(at, &shownRow, &column, &rowSpan, &columnSpan);
    }
    if (shownRow == row) return;
    grid->removeWidget(checksumPanel_);
    grid->addWidget(checksumPanel_, row, oneLine ? 1 : 0, oneLine ? Qt::AlignRight : Qt::AlignLeft);
}

void THexEdit::ShowPassingNote(const QString& text)
{
    constexpr int kNoteMilliseconds = 5000;
    statusBar_->showMessage(text, kNoteMilliseconds);
}

QString THexEdit::PassingNote() const
{
    return statusBar_->currentMessage();
}

void THexEdit::ApplyEditorOptions(const EditorOptions& options)
{
    // The fonts are measured again only when one changes, not for every colour change that
    // applies the options; before the window is built, not at all.
    const bool fontsChange =
        !fontsMeasured_ || options.leftFont != options_.leftFont || options.rightFont != options_.rightFont;
    options_ = options;
    buffer_->ApplyEditorColours(options.colours);
    statusPanels_[4]->setText(QString::fromLatin1(CharSetPanelText(options.rightFont).c_str()));
    if (!built_) {
        ShowCellInfo();
        return;
    }
    if (fontsChange) MeasureFonts();
    UpdateSizeLimits();
    PaneResized();
    ShowCellInfo();
    RepaintGrids();
}

void THexEdit::UpdateSizeLimits()
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int frames = 2 * hexPane_->frameWidth() + 2 * charPane_->frameWidth();
    // A hex pane set wider than its digits (the stored design width) widens the window by as
    // much, so that the character pane keeps room for its sixteen characters.
    const int hexPaneExtra =
        std::max(0, requestedPaneWidth_ - layout_.HexPaneContentWidth() - 2 * hexPane_->frameWidth());
    const int widest = layout_.HexPaneContentWidth() + hexPaneExtra + layout_.CharPaneContentWidth() + scrollBar +
                       frames + splitter_->handleWidth();
    // At the design size the window may be 390 to 555 pixels wide.
    setMaximumWidth(widest);
    setMinimumWidth(widest * 390 / 555);
    hexPane_->setMinimumWidth(layout_.MinimumHexPaneWidth());

    const QFontMetrics metrics(statusBar_->font());
    const double scale = metrics.height() / 16.0;
    for (std::size_t panel = 0; panel < kPanelDesignWidths.size(); ++panel) {
        const int textWidth = metrics.horizontalAdvance(QString::fromLatin1(kPanelWidestTexts[panel])) + 8;
        statusPanels_[panel]->setMinimumWidth(
            std::max(textWidth, static_cast<int>(kPanelDesignWidths[panel] * scale)));
    }
}

WindowLayout THexEdit::GetWindowLayout()
{
    // The window's size limits come from its fonts and bound the width kept: a window never
    // shown is laid out (not shown) here, so the settings file reads as if it had been.
    WindowLayout result = pendingLayout_.value_or(WindowLayout{});
    BuildWindow();
    const QRect editor = geometry();
    result.editor = {editor.left(), editor.top(), editor.height(), editor.width()};
    result.editorPaneWidth = HexPaneWidthWithoutScrollBar();
    result.editorVisible = isVisible();
    // The description window never shown hands back the place it was given.
    if (explaine_ || !pendingLayout_) {
        const TExplaine& window = DescriptionWindow();
        const QRect description = window.geometry();
        result.description = {description.left(), description.top(), description.height(), description.width()};
        result.descriptionVisible = window.isVisible();
    }
    return result;
}

void THexEdit::SetWindowLayout(const WindowLayout& layout)
{
    if (built_ || layout.editorVisible) {
        BuildWindow();
        ApplyEditorGeometry(layout);
    } else {
        pendingLayout_ = layout;
        // Placed as given, its limits not known yet: they bound it when it is built.
        setGeometry(layout.editor.left, layout.editor.top, layout.editor.width, layout.editor.height);
    }
    if (explaine_ || layout.descriptionVisible) {
        TExplaine& window = DescriptionWindow();
        const WindowBounds& description = layout.description;
        window.setGeometry(description.left, description.top, description.width, description.height);
        window.setVisible(layout.descriptionVisible);
    } else {
        if (!pendingLayout_) pendingLayout_ = layout;
        pendingLayout_->description = layout.description;
        pendingLayout_->descriptionVisible = false;
    }
}

void THexEdit::ApplyEditorGeometry(const WindowLayout& layout)
{
    const int ownScrollBar = scrollBarOwner_ == EditorGrid::Hex ? ScrollBarWidth() : 0;
    requestedPaneWidth_ = std::max(layout.editorPaneWidth, layout_.MinimumHexPaneWidth() - ownScrollBar);
    UpdateSizeLimits();
    const WindowBounds& editor = layout.editor;
    const int width = std::clamp(editor.width, minimumWidth(), maximumWidth());
    setGeometry(editor.left, editor.top, width, std::max(editor.height, minimumSizeHint().height()));
    setVisible(layout.editorVisible);
    // The splitter spans the window; it may not be laid out yet while the window is hidden,
    // so the panes are sized from the window's width. The character pane takes any change.
    const int total = width - splitter_->handleWidth();
    const int hexWidth =
        std::clamp(requestedPaneWidth_ + ownScrollBar, layout_.MinimumHexPaneWidth(), std::max(total, 1));
    splitter_->setSizes({hexWidth, std::max(0, total - hexWidth)});
    requestedPaneWidth_ = hexWidth - ownScrollBar;
    UpdateSizeLimits();
}

int THexEdit::ScrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// The hex pane's width is kept as it is while the character pane has the scroll bar, so that
// the focus at the moment of saving does not widen the pane at every start.
int THexEdit::HexPaneWidthWithoutScrollBar() const
{
    // Until the window is first shown the splitter has not been laid out and its sizes say
    // nothing; the width asked for is what it will take.
    if (!shown_) return requestedPaneWidth_;
    const int width = splitter_->sizes().value(0);
    return scrollBarOwner_ == EditorGrid::Hex ? width - ScrollBarWidth() : width;
}

std::string THexEdit::BuildDumpText(std::int32_t first, std::int32_t last, int bytesPerRow)
{
    return zav::BuildDumpText(*buffer_, first, last, bytesPerRow, boxes_);
}

void THexEdit::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    shown_ = true;
    UpdateCaption();
    SetEditActionsEnabled(true);
    emit HexEditOpen();
}

void THexEdit::closeEvent(QCloseEvent* event)
{
    // The window lives for the whole run; closing it only hides it.
    QWidget::closeEvent(event);
    SetEditActionsEnabled(false);
    emit HexEditClose();
}

void THexEdit::CellsChanged(std::int32_t first, std::int32_t last)
{
    const int firstRow = std::max(first, 0) / HexViewLayout::kBytesPerRow;
    const int lastRow = std::min(last, buffer_->LastAddress()) / HexViewLayout::kBytesPerRow;
    const int top = cursor_.TopRow();
    const int bottom = top + cursor_.VisibleRows();
    if (lastRow >= top && firstRow <= bottom) {
        const int y0 = layout_.RowTop(top, std::max(firstRow, top));
        const int y1 = layout_.RowTop(top, std::min(lastRow, bottom) + 1);
        for (HexGridView* pane : {hexPane_, charPane_}) {
            pane->viewport()->update(0, y0, pane->viewport()->width(), y1 - y0);
        }
    }
    if (differences_.DropEdited(first, last, [this](std::int32_t a) { return buffer_->GetByte(a); }))
        emit DifferencesChanged();
    SetExtraActionsEnabled(ActionsLive());
    // The cursor's cell info shows the extras too; elsewhere they still follow, as the data
    // inspector reads the cells after the cursor's.
    if (cursor_.Address() >= first && cursor_.Address() <= last) {
        ShowCellInfo();
    } else {
        ShowCursorExtras();
    }
    // A bulk update (a file loaded, a device chosen) reports the whole buffer once and may
    // have replaced the names, notes and rows as well; its values change the checksums as
    // any edit does.
    if (first <= 0 && last >= buffer_->LastAddress()) DescriptionChanged();
    if (explaine_) explaine_->RefreshCells();
}

void THexEdit::UndoAvailabilityChanged(bool available)
{
    Action(EditorAction::Undo)->setEnabled(available && ActionsLive());
}

void THexEdit::DescriptionChanged()
{
    UpdateCaption();
    if (explaine_) explaine_->RefreshDescription();
}

void THexEdit::UpdateCaption()
{
    // "HexEdit" until the window is first shown.
    if (!shown_) return;
    const QString caption = QString::fromLatin1(buffer_->Descriptions().EditorCaption().c_str());
    setWindowTitle(caption);
    // The caption is the project's and the device's name, a blank before they are given; a
    // reader says which window this is in any case.
    const QString purpose = QStringLiteral("Hex Editor");
    setAccessibleName(caption.trimmed().isEmpty() ? purpose : purpose + QStringLiteral(": ") + caption.trimmed());
}

void THexEdit::ShowCellInfo()
{
    const CellInfo info = zav::ShowCellInfo(*buffer_, cursor_.Address(), options_.rightFont);
    for (std::size_t panel = 0; panel + 1 < statusPanels_.size(); ++panel) {
        statusPanels_[panel]->setText(QString::fromLatin1(info.panels[panel].c_str()));
    }
    ShowDifferenceAndChecksums();
    if (explaine_) explaine_->RepaintCells();
    ShowCursorExtras();
    hexPane_->AnnounceCursorCell();
    charPane_->AnnounceCursorCell();
}

void THexEdit::PaneFocused(EditorGrid grid)
{
    cursor_.Focus(grid);
    keyEntry_.ClearPendingDigit();
    if (grid != scrollBarOwner_) {
        const int scrollBar = ScrollBarWidth();
        const QList<int> sizes = splitter_->sizes();
        const PaneWidths moved =
            HexViewLayout::MoveScrollBar({sizes.value(0), sizes.value(1)}, scrollBarOwner_, grid, scrollBar);
        hexPane_->SetOwnsScrollBar(grid == EditorGrid::Hex);
        charPane_->SetOwnsScrollBar(grid == EditorGrid::Char);
        splitter_->setSizes({moved.hex, moved.character});
        scrollBarOwner_ = grid;
    }
    RepaintGrids();
}

void THexEdit::PaneScrolled(int topRow)
{
    cursor_.ScrollTo(topRow);
    hexPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    charPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    hexPane_->viewport()->update();
    charPane_->viewport()->update();
}

void THexEdit::PaneKeyTyped(EditorGrid grid, const QString& text)
{
    for (const QChar character : text) {
        // The character pane stores the byte it shows the character as. A character without
        // a byte of its own beeps: storing a substitute would silently write another byte.
        const std::optional<std::uint8_t> byte = ByteOfCharacter(character);
        if (!byte) {
            QApplication::beep();
            continue;
        }
        const char key = static_cast<char>(*byte);
        if (grid == EditorGrid::Char) {
            keyEntry_.TypeCharKey(key, *buffer_, cursor_);
        } else if (keyEntry_.TypeHexKey(key, *buffer_, cursor_) == HexKeyOutcome::NotADigit) {
            QApplication::beep();
        }
    }
    CursorMoved();
}

void THexEdit::PaneClicked(EditorGrid grid)
{
    if (grid == EditorGrid::Hex) keyEntry_.ClearPendingDigit();
    CursorMoved();
}

void THexEdit::PaneResized()
{
    cursor_.SetVisibleRows(std::min(hexPane_->FittingRows(), charPane_->FittingRows()));
    hexPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    charPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
}

void THexEdit::PanePopupMenu(QPoint globalPosition)
{
    popupMenu_->popup(globalPosition);
}

void THexEdit::CursorMoved()
{
    hexPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    charPane_->SyncScrollBar(cursor_.TopRow(), cursor_.VisibleRows());
    hexPane_->viewport()->update();
    charPane_->viewport()->update();
    ShowCellInfo();
}

void THexEdit::FollowClipboard()
{
    // While the editor is closed its commands stay disabled, whatever the clipboard holds.
    if (!ActionsLive()) return;
    Action(EditorAction::Paste)->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

} // namespace zav
