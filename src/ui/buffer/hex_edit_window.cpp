#include "ui/buffer/hex_edit_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <new>

#include "buffer/memory_buffer.h"
#include "ui/buffer/description_binding.h"
#include "ui/buffer/difference_commands.h"
#include "ui/buffer/editor_commands.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/editor_placement.h"
#include "ui/buffer/editor_status.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/file_drop_target.h"
#include "ui/buffer/inspector_binding.h"
#include "operations/cell_info.h"

namespace zav {

namespace {

std::unique_ptr<MemoryBuffer> AllocatedBuffer(MessageBoxes& boxes)
{
    std::unique_ptr<MemoryBuffer> buffer = MemoryBuffer::Create(boxes);
    if (!buffer) throw std::bad_alloc();
    return buffer;
}

} // namespace

THexEdit::THexEdit(MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), boxes_(boxes), buffer_(AllocatedBuffer(boxes)),
      panes_(*this, *buffer_, options_, *this)
{
    setObjectName(QStringLiteral("HexEdit"));
    setWindowTitle(QStringLiteral("HexEdit"));
    setAccessibleName(QStringLiteral("Hex Editor"));
    status_ = std::make_unique<EditorStatus>(*this);
    placement_ = std::make_unique<EditorPlacement>(*this, panes_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(&panes_.Splitter(), 1);
    layout->addWidget(&status_->Bar());
    layout->addWidget(&status_->SelectionLine());

    dialogs_ = CreateEditorDialogs(*this);
    commands_ = std::make_unique<EditorCommands>(*this);
    description_ = std::make_unique<DescriptionBinding>(*this, commands_->Table());
    inspector_ = std::make_unique<InspectorBinding>(*this, commands_->Table());
    differences_ = std::make_unique<DifferenceCommands>(*this, status_->Bar());
    connect(new FileDropTarget(*this), &FileDropTarget::FileDropped, this, &THexEdit::FileDropped);
    commands_->SetLive(false);

    buffer_->AddObserver(*this);
    ApplyEditorOptions(EditorOptions{});
    // Where the window opens before any settings say otherwise.
    const WindowLayout defaults;
    setGeometry(defaults.editor.left, defaults.editor.top, defaults.editor.width, defaults.editor.height);
}

THexEdit::~THexEdit()
{
    buffer_->RemoveObserver(*this);
}

void THexEdit::setVisible(bool visible)
{
    if (visible) BuildWindow();
    QWidget::setVisible(visible);
}

// The fonts, their metrics and the panes' sizes; once, on first showing or when the live
// geometry is asked for.
void THexEdit::BuildWindow()
{
    if (built_) return;
    built_ = true;
    panes_.MeasureFonts(options_);
    placement_->PlaceOnBuild();
    status_->FitPanels();
    panes_.PaneResized();
    ShowCursorCell();
}

TExplaine& THexEdit::DescriptionWindow()
{
    return description_->Window();
}

void THexEdit::SetChecksumDevice(const std::string& deviceName)
{
    description_->SetChecksumDevice(deviceName);
}

void THexEdit::HideWithDescription()
{
    if (TExplaine* description = description_->Existing()) description->hide();
    hide();
}

TDataInspector& THexEdit::DataInspector()
{
    return inspector_->Window();
}

void THexEdit::SetEditorDialogs(std::unique_ptr<EditorDialogs> dialogs)
{
    dialogs_ = std::move(dialogs);
    commands_->Find().FollowDialogs();
}

QAction* THexEdit::Action(EditorAction action) const
{
    return commands_->Action(action);
}

QAction* THexEdit::ExtraAction(EditorExtraAction action) const
{
    return commands_->ExtraAction(action);
}

void THexEdit::SetFindHighlight(std::vector<std::uint8_t> pattern, bool textMode)
{
    commands_->Find().SetHighlight(std::move(pattern), textMode);
}

void THexEdit::SelectAddress(std::int32_t address)
{
    panes_.Cursor().SelectAddress(address);
    panes_.CursorMoved();
}

void THexEdit::ShowAddressAtTop(std::int32_t address)
{
    panes_.Cursor().ShowAddressAtTop(address);
    panes_.CursorMoved();
}

void THexEdit::SelectAll()
{
    panes_.Cursor().SelectAll();
    panes_.CursorMoved();
}

void THexEdit::RepaintGrids()
{
    panes_.Repaint();
    if (TExplaine* description = description_->Existing()) description->RepaintCells();
}

bool THexEdit::IsUndoEmpty() const
{
    return buffer_->Undo().IsEmpty();
}

void THexEdit::ShowPassingNote(const QString& text)
{
    status_->ShowPassingNote(text);
}

void THexEdit::ApplyEditorOptions(const EditorOptions& options)
{
    // The fonts are measured again only when one changes, not for every colour change that
    // applies the options; before the window is built, not at all.
    const bool fontsChange = options.leftFont != options_.leftFont || options.rightFont != options_.rightFont;
    options_ = options;
    buffer_->ApplyEditorColours(options.colours);
    status_->ShowCharSet(options.rightFont);
    if (!built_) {
        ShowCursorCell();
        return;
    }
    if (fontsChange) panes_.MeasureFonts(options_);
    placement_->UpdateSizeLimits();
    status_->FitPanels();
    panes_.PaneResized();
    ShowCursorCell();
    RepaintGrids();
}

WindowLayout THexEdit::GetWindowLayout()
{
    // The window's size limits come from its fonts and bound the width kept: a window never
    // shown is laid out (not shown) here, so the settings file reads as if it had been.
    WindowLayout layout;
    BuildWindow();
    placement_->ReadInto(layout, shown_);
    description_->ReadInto(layout);
    return layout;
}

void THexEdit::SetWindowLayout(const WindowLayout& layout)
{
    if (built_ || layout.editorVisible) {
        BuildWindow();
        placement_->Apply(layout);
    } else {
        placement_->Keep(layout);
    }
    description_->Place(layout.description, layout.descriptionVisible);
}

const DifferenceMarks& THexEdit::PaneDifferences() const
{
    return differences_->Marks();
}

void THexEdit::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    shown_ = true;
    UpdateCaption();
    commands_->SetLive(true);
    emit HexEditOpen();
}

void THexEdit::closeEvent(QCloseEvent* event)
{
    // The window lives for the whole run; closing it only hides it.
    QWidget::closeEvent(event);
    commands_->SetLive(false);
    emit HexEditClose();
}

void THexEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    status_->LayOutSelectionLine();
}

void THexEdit::CellsChanged(std::int32_t first, std::int32_t last)
{
    panes_.RepaintCells(first, last);
    if (differences_->DropEdited(first, last)) emit DifferencesChanged();
    commands_->SetExtrasLive(isVisible());
    // The cursor's cell info shows the extras too; elsewhere they still follow, as the data
    // inspector reads the cells after the cursor's.
    const std::int32_t cursor = CursorAddress();
    if (cursor >= first && cursor <= last) {
        ShowCursorCell();
    } else {
        ShowCursorExtras();
    }
    // A bulk update (a file loaded, a device chosen) reports the whole buffer once and may
    // have replaced the names, notes and rows as well; its values change the checksums as
    // any edit does.
    if (first <= 0 && last >= buffer_->LastAddress()) DescriptionChanged();
    if (TExplaine* description = description_->Existing()) description->RefreshCells();
}

void THexEdit::UndoAvailabilityChanged(bool available)
{
    commands_->History().SetUndoLive(isVisible(), available);
}

void THexEdit::DescriptionChanged()
{
    UpdateCaption();
    if (TExplaine* description = description_->Existing()) description->RefreshDescription();
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
    setAccessibleName(caption.trimmed().isEmpty() ? purpose
                                                  : purpose + QStringLiteral(": ") + caption.trimmed());
}

void THexEdit::ShowCursorCell()
{
    status_->ShowCell(zav::ShowCellInfo(*buffer_, CursorAddress(), options_.rightFont));
    differences_->ShowCursorMark();
    status_->ShowChecksums(*buffer_, CurrentSelection());
    if (TExplaine* description = description_->Existing()) description->RepaintCells();
    ShowCursorExtras();
    panes_.AnnounceCursorCell();
}

void THexEdit::ShowCursorExtras()
{
    status_->ShowSelection(CurrentSelection());
    inspector_->Refresh();
}

const Bookmarks& THexEdit::PaneBookmarks() const
{
    return commands_->Bookmarks().Marks();
}

std::vector<bool> THexEdit::PaneHighlights(std::int32_t first, std::int32_t last) const
{
    return commands_->Find().HighlightedCells(first, last);
}

void THexEdit::ShowPopupMenu(QPoint globalPosition)
{
    commands_->PopupMenu()->popup(globalPosition);
}

} // namespace zav
