#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "buffer/buffer_observer.h"
#include "ui/buffer/difference_commands.h"
#include "ui/buffer/editor_actions.h"
#include "ui/buffer/editor_panes.h"
#include "shell/app_settings.h"

class QLabel;

namespace zav {

class DescriptionBinding;
class EditorCommands;
class EditorDialogs;
class EditorPlacement;
class EditorStatus;
class InspectorBinding;
class MessageBoxes;
class TDataInspector;
class TExplaine;

// The hex editor window: the buffer as a hex dump with row addresses and as characters, one
// cursor and selection shared by both panes, a status bar for the cursor's cell. It owns the
// one memory buffer; its commands, difference marks, description window, data inspector and
// placement are parts of their own. Closing only hides it.
class THexEdit : public QWidget, private BufferObserver, private EditorPanesHost {
    Q_OBJECT

public:
    // A buffer that cannot be allocated shows "Not Enough Memory, close unused Applications"
    // and throws std::bad_alloc: the program cannot run without it.
    explicit THexEdit(MessageBoxes& boxes, QWidget* parent = nullptr);
    ~THexEdit() override;

    [[nodiscard]] MemoryBuffer& Buffer() { return *buffer_; }
    [[nodiscard]] const MemoryBuffer& Buffer() const { return *buffer_; }
    [[nodiscard]] MessageBoxes& Boxes() { return boxes_; }
    [[nodiscard]] EditorCommands& Commands() { return *commands_; }
    [[nodiscard]] EditorStatus& Status() { return *status_; }
    [[nodiscard]] HexGridView& HexPane() { return panes_.Hex(); }
    [[nodiscard]] HexGridView& CharPane() { return panes_.Char(); }
    // The description window (built on first use) and the device its checksums add up.
    [[nodiscard]] TExplaine& DescriptionWindow();
    void SetChecksumDevice(const std::string& deviceName);
    void HideWithDescription();
    [[nodiscard]] TDataInspector& DataInspector();
    // The buffer dialogs the commands open: the program's own unless replaced.
    [[nodiscard]] EditorDialogs& Dialogs() { return *dialogs_; }
    void SetEditorDialogs(std::unique_ptr<EditorDialogs> dialogs);
    // For the main window's menus and tool bar.
    [[nodiscard]] QAction* Action(EditorAction action) const;
    [[nodiscard]] QAction* ExtraAction(EditorExtraAction action) const;
    // After a search: every match of the pattern in view is marked until the next search.
    void SetFindHighlight(std::vector<std::uint8_t> pattern, bool textMode);

    // The cursor goes to the address's cell (beyond the buffer: the last); ShowAddressAtTop
    // also scrolls its row to the top.
    void SelectAddress(std::int32_t address);
    void ShowAddressAtTop(std::int32_t address);
    void SelectAll();
    [[nodiscard]] std::int32_t CursorAddress() const { return panes_.Cursor().Address(); }
    // The hex pane's block (the cursor's cell alone when no more is selected).
    [[nodiscard]] Selection CurrentSelection() const { return panes_.Cursor().GetSelection(); }
    [[nodiscard]] bool HasSelection() const { return panes_.Cursor().HasSelection(); }
    void RepaintGrids() override;
    [[nodiscard]] bool IsUndoEmpty() const;
    // A line in the status bar for a few seconds.
    void ShowPassingNote(const QString& text);

    // Applying recolours the buffer's cells by kind, keeping described cells' colours.
    void ApplyEditorOptions(const EditorOptions& options);
    [[nodiscard]] EditorOptions GetEditorOptions() const { return options_; }
    // This window's and the description window's geometry, as the settings file keeps it.
    [[nodiscard]] WindowLayout GetWindowLayout();
    void SetWindowLayout(const WindowLayout& layout);

    // The cells the last verify or file comparison found different, their F8 steps and panel.
    [[nodiscard]] DifferenceCommands& Differences() { return *differences_; }
    [[nodiscard]] const DifferenceCommands& Differences() const { return *differences_; }

    // Builds what a visible window needs (fonts, pane sizes) before it is first shown.
    void setVisible(bool visible) override;

signals:
    void HexEditOpen();
    void HexEditClose();
    void FileDropped(const QString& path);
    void DescriptionOpen();
    void DescriptionClose();
    // The difference marks were set, cleared or lost one to an edit.
    void DifferencesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CellsChanged(std::int32_t first, std::int32_t last) override;
    void UndoAvailabilityChanged(bool available) override;
    void DescriptionChanged() override;
    void BuildWindow();
    void UpdateCaption();
    void ShowCursorExtras();

    [[nodiscard]] const Bookmarks& PaneBookmarks() const override;
    [[nodiscard]] const DifferenceMarks& PaneDifferences() const override;
    [[nodiscard]] std::vector<bool> PaneHighlights(std::int32_t first, std::int32_t last) const override;
    void ShowCursorCell() override;
    void ShowPopupMenu(QPoint globalPosition) override;

    MessageBoxes& boxes_;
    std::unique_ptr<MemoryBuffer> buffer_;
    EditorOptions options_;
    bool built_ = false;
    bool shown_ = false;
    EditorPanes panes_;
    // The parts work on the buffer: declared after it, they go before it does.
    std::unique_ptr<EditorStatus> status_;
    std::unique_ptr<EditorPlacement> placement_;
    std::unique_ptr<EditorDialogs> dialogs_;
    std::unique_ptr<DescriptionBinding> description_;
    std::unique_ptr<InspectorBinding> inspector_;
    std::unique_ptr<DifferenceCommands> differences_;
    std::unique_ptr<EditorCommands> commands_;
};

} // namespace zav
