#pragma once

#include <QString>

#include <array>

#include "operations/cell_info.h"
#include "operations/selection.h"

class QLabel;
class QStatusBar;
class QWidget;

namespace zav {

class MemoryBuffer;

// The editor's status: a bar of panels for the cursor's cell and the character set, and
// below it a line for the selection's addresses and checksums.
class EditorStatus {
public:
    explicit EditorStatus(QWidget& window);

    [[nodiscard]] QStatusBar& Bar() { return *bar_; }
    [[nodiscard]] QWidget& SelectionLine() { return *selectionLine_; }
    [[nodiscard]] QLabel* SelectionChecksumPanel() const { return checksumPanel_; }

    void ShowCell(const CellInfo& info);
    void ShowCharSet(const std::string& fontName);
    void ShowSelection(const Selection& selection);
    // Nothing without a selection of several cells.
    void ShowChecksums(const MemoryBuffer& buffer, const Selection& selection);
    // The checksums beside the selection's addresses, or below them where the window is too
    // narrow for both on one line.
    void LayOutSelectionLine();
    // Each panel as wide as its widest text, and no narrower than at the design size.
    void FitPanels();

    // A line in the bar for a few seconds, over the cell's panels.
    void ShowPassingNote(const QString& text);
    [[nodiscard]] QString PassingNote() const;

private:
    void CreateSelectionLine(QWidget& window);

    QStatusBar* bar_ = nullptr;
    std::array<QLabel*, 5> panels_{};
    QWidget* selectionLine_ = nullptr;
    QLabel* selectionPanel_ = nullptr;
    QLabel* checksumPanel_ = nullptr;
};

} // namespace zav
