#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buffer/buffer_observer.h"
#include "buffer/difference_marks.h"
#include <QFont>

#include "ui/buffer/editor_extra_actions.h"
#include "ui/buffer/hex_pane_host.h"
#include "operations/bookmarks.h"
#include "operations/editor_cursor.h"
#include "operations/hex_view_layout.h"
#include "operations/key_entry.h"
#include "shell/app_settings.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;

namespace zav {

class EditorDialogs;
class HexGridView;
class MemoryBuffer;
class MessageBoxes;
class TDataInspector;
class TExplaine;

// The eleven editor commands, in the order of the editor's action list.
enum class EditorAction {
    Undo,
    Copy,
    Paste,
    SelectAll,
    Fill,
    CopyAs,
    Find,
    SearchAgain,
    Property,
    GoToAddr,
    Swap,
};
inline constexpr int kEditorActionCount = 11;

// The hex editor window: the whole buffer as a hex dump with row addresses on the left and as
// characters on the right, one cursor and selection shared by both, a status bar for the cell
// under the cursor. It owns the one memory buffer (with its undo stack and description), the
// description window and the buffer dialogs. Closing only hides it.
//
// The buffer, the actions and the status texts exist from the start; what only a visible
// window needs (the fixed-pitch fonts and their metrics, the panes' sizes, the description
// window, the data inspector) is built when first shown or asked for. Until then the window
// layout it is given is kept as given and handed back as such.
class THexEdit : public QWidget, private BufferObserver, private HexPaneHost {
    Q_OBJECT

public:
    // Allocating the buffer can fail: the box "Not Enough Memory, close unused Applications"
    // is then shown and std::bad_alloc thrown, since the program cannot run without it.
    explicit THexEdit(MessageBoxes& boxes, QWidget* parent = nullptr);
    THexEdit(const THexEdit&) = delete;
    THexEdit& operator=(const THexEdit&) = delete;
    ~THexEdit() override;

    [[nodiscard]] MemoryBuffer& Buffer() { return *buffer_; }
    [[nodiscard]] const MemoryBuffer& Buffer() const { return *buffer_; }
    // Built on first use.
    [[nodiscard]] TExplaine& DescriptionWindow();
    // The device whose EEPROM the description window's checksums add up.
    void SetChecksumDevice(const std::string& deviceName);
    // Hides the editor and its description window.
    void HideWithDescription();
    [[nodiscard]] MessageBoxes& Boxes() { return boxes_; }

    // The buffer dialogs the commands open: the program's own unless replaced here.
    void SetEditorDialogs(std::unique_ptr<EditorDialogs> dialogs);

    // The eleven actions; the main window puts them into its menus and tool bar.
    [[nodiscard]] QAction* Action(EditorAction action) const;
    [[nodiscard]] QMenu* PopupMenu() const { return popupMenu_; }
    // Redo, Replace and the bookmark commands, which the main window adds to its Edit menu.
    [[nodiscard]] QAction* ExtraAction(EditorExtraAction action) const;
    // Built on first use.
    [[nodiscard]] TDataInspector& DataInspector();
    [[nodiscard]] const Bookmarks& BookmarkedCells() const { return bookmarks_; }
    // After a search: every match of the pattern in view is marked until the next search.
    void SetFindHighlight(std::vector<std::uint8_t> pattern, bool textMode);
    // Which of the cells first..last the last search's matches cover.
    [[nodiscard]] std::vector<bool> HighlightedCells(std::int32_t first, std::int32_t last) const;

    // The cursor goes to the address's cell (beyond the buffer: the last cell) in the focused
    // pane; both panes repaint.
    void SelectAddress(std::int32_t address);
    // Scrolls so that the address's row is the top visible row and puts the cursor there.
    void ShowAddressAtTop(std::int32_t address);
    [[nodiscard]] std::int32_t CursorAddress() const { return cursor_.Address(); }
    // The block of cells selected in the hex pane (a single cell when nothing is selected).
    [[nodiscard]] Selection CurrentSelection() const { return cursor_.GetSelection(); }
    // True when the selection covers more than one cell.
    [[nodiscard]] bool HasSelection() const { return cursor_.HasSelection(); }
    void RepaintGrids();
    [[nodiscard]] bool IsUndoEmpty() const;
    // A line in the status bar for a few seconds, over the cell's panels.
    void ShowPassingNote(const QString& text);
    [[nodiscard]] QString PassingNote() const;

    // Fonts and colours: applying recolours the buffer's cells by kind (keeping the colours of
    // described cells), sets the status bar's character set and repaints.
    void ApplyEditorOptions(const EditorOptions& options);
    [[nodiscard]] EditorOptions GetEditorOptions() const { return options_; }
    // Geometry of this window and the description window, as the settings file keeps it.
    [[nodiscard]] WindowLayout GetWindowLayout();
    void SetWindowLayout(const WindowLayout& layout);

    // The memory dump printing lays out (bytesPerRow 16 or 32).
    [[nodiscard]] std::string BuildDumpText(std::int32_t first, std::int32_t last, int bytesPerRow);

    // The cells the last verify found different (hex_edit_differences.cpp): marked in both
    // panes, stepped through by Next and Previous Difference, each mark gone once its cell is
    // edited. Setting none clears them.
    void SetVerifyDifferences(const std::vector<CellDifference>& differences);
    // The same for a comparison with a file: each mark holds the file's value.
    void SetFileDifferences(const std::vector<CellDifference>& differences, const std::string& fileName);
    [[nodiscard]] const DifferenceMarks& Differences() const { return differences_; }
    void NextDifference();
    void PreviousDifference();
    // Edit > Next Difference (F8) and Previous Difference (Shift+F8).
    [[nodiscard]] QAction* NextDifferenceAction() const { return nextDifference_; }
    [[nodiscard]] QAction* PreviousDifferenceAction() const { return previousDifference_; }
    // The cursor cell's device value and the selection's checksums.
    [[nodiscard]] QLabel* DevicePanel() const { return devicePanel_; }
    [[nodiscard]] QLabel* SelectionChecksumPanel() const { return checksumPanel_; }

    // The grid panes, for tests and the dialogs that move the focus back to the editor.
    [[nodiscard]] HexGridView& HexPane() { return *hexPane_; }
    [[nodiscard]] HexGridView& CharPane() { return *charPane_; }

signals:
    // The main window's HexEditOpen and HexEditClose: the editor was shown or closed.
    void HexEditOpen();
    void HexEditClose();
    // A file was dropped on the editor; the main window loads it.
    void FileDropped(const QString& path);
    // The description window was shown or closed.
    void DescriptionOpen();
    void DescriptionClose();
    // The verify's marks were set, cleared or lost one to an edit.
    void DifferencesChanged();

public:
    // Builds what a visible window needs before it is first shown.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // BufferObserver
    void CellsChanged(std::int32_t first, std::int32_t last) override;
    void UndoAvailabilityChanged(bool available) override;
    void DescriptionChanged() override;

    // The fonts, their metrics and the panes' sizes; once, on first showing or when the
    // live geometry is asked for.
    void BuildWindow();
    void MeasureFonts();
    void ApplyEditorGeometry(const WindowLayout& layout);
    void CreateActions();
    void CreatePopupMenu();
    void CreateExtraActions();
    void SetExtraActionsEnabled(bool enabled);
    // The selection panel and the data inspector follow the cursor.
    void ShowCursorExtras();
    // The selection's checksums beside its addresses, or below them where the window is too
    // narrow for both on one line.
    void LayOutSelectionLine();
    void SetEditActionsEnabled(bool enabled);
    void UpdateCaption();
    void ShowCellInfo();
    void FollowClipboard();
    void CreateDifferenceParts();
    void ShowDifferenceAndChecksums();
    void SetDifferences(const std::vector<CellDifference>& differences, DifferenceSource source,
                        const std::string& fileName);
    void GoToDifference(std::optional<std::int32_t> address);

    // HexPaneHost: what the panes paint and what they report.
    [[nodiscard]] const HexViewLayout& PaneLayout() const override { return layout_; }
    [[nodiscard]] const MemoryBuffer& PaneBuffer() const override { return *buffer_; }
    [[nodiscard]] const EditorColours& PaneColours() const override { return options_.colours; }
    [[nodiscard]] const Bookmarks& PaneBookmarks() const override { return bookmarks_; }
    [[nodiscard]] const DifferenceMarks& PaneDifferences() const override { return differences_; }
    [[nodiscard]] std::vector<bool> PaneHighlights(std::int32_t first, std::int32_t last) const override
    {
        return HighlightedCells(first, last);
    }
    [[nodiscard]] EditorCursor& PaneCursor() override { return cursor_; }
    void PaneFocused(EditorGrid grid) override;
    void PaneScrolled(int topRow) override;
    void PaneKeyTyped(EditorGrid grid, const QString& text) override;
    void PaneClicked(EditorGrid grid) override;
    void PaneResized() override;
    void CursorMoved() override;
    void PanePopupMenu(QPoint globalPosition) override;
    void UpdateSizeLimits();
    [[nodiscard]] int ScrollBarWidth() const;
    [[nodiscard]] int HexPaneWidthWithoutScrollBar() const;
    [[nodiscard]] bool ActionsLive() const { return isVisible(); }

    // Action handlers.
    void EditUndoExecute();
    void EditCopyExecute();
    void EditPasteExecute();
    void EditSelectAllExecute();
    void EditFillExecute();
    void EditCopyAsExecute();
    void EditFindExecute();
    void EditSearchAgainExecute();
    void EditPropertyExecute();
    void EditGoToAddrExecute();
    void EditSwapExecute();
    void EditRedoExecute();
    void EditReplaceExecute();
    void ToggleBookmarkExecute();
    void JumpToBookmark(bool forward);
    // Takes one undo or redo step as one change to the buffer, under the busy cursor, and
    // puts the cursor on the address the step returns.
    void ReplayHistoryStep(const std::function<std::int32_t()>& step);

    MessageBoxes& boxes_;
    std::unique_ptr<MemoryBuffer> buffer_;
    EditorCursor cursor_;
    KeyEntry keyEntry_;
    EditorOptions options_;
    bool fontsMeasured_ = false;
    bool built_ = false;
    bool shown_ = false;
    // The layout given before the window was built, kept until then.
    std::optional<WindowLayout> pendingLayout_;
    std::string checksumDevice_;
    // The hex pane's width without the scroll bar, as last set, while the window was never shown.
    int requestedPaneWidth_ = 0;
    QFont hexFont_;
    QFont charFont_;
    HexViewLayout layout_;
    // The pane that shows the vertical scroll bar: the character pane until the hex pane
    // first takes the focus.
    EditorGrid scrollBarOwner_ = EditorGrid::Char;

    HexGridView* hexPane_ = nullptr;
    HexGridView* charPane_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::array<QLabel*, 5> statusPanels_{};
    std::array<QAction*, kEditorActionCount> actions_{};
    QMenu* popupMenu_ = nullptr;
    // The description window, the dialogs and the data inspector work on the buffer: owned
    // here, declared after it, they go before it does, not with the other child widgets after.
    std::unique_ptr<TExplaine> explaine_;
    std::unique_ptr<EditorDialogs> dialogs_;
    std::array<QAction*, kEditorExtraActionCount> extraActions_{};
    QWidget* selectionLine_ = nullptr;
    QLabel* selectionPanel_ = nullptr;
    std::unique_ptr<TDataInspector> inspector_;
    Bookmarks bookmarks_;
    std::vector<std::uint8_t> highlightPattern_;
    bool highlightTextMode_ = false;
    DifferenceMarks differences_;
    QAction* nextDifference_ = nullptr;
    QAction* previousDifference_ = nullptr;
    QLabel* devicePanel_ = nullptr;
    QLabel* checksumPanel_ = nullptr;
};

} // namespace zav
