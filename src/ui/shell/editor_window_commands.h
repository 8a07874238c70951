#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace zav {

class THexEdit;
class THoptions;

// The hex editor's and description window's binding to the main window: Window > Hex Editor
// (Alt+E, also from within the editor) and Description checked while they are open, the
// editor's commands in the Edit menu and tool bar, and Tools > Hex Editor Options. Neither
// window is built before it is first shown.
class EditorWindowCommands final : public QObject {
    Q_OBJECT

public:
    EditorWindowCommands(QWidget& window, THexEdit& editor);

    [[nodiscard]] QAction* ShowEditorAction() const { return showEditor_; }
    [[nodiscard]] QAction* EditorOptionsAction() const { return editorOptions_; }
    void FillEditMenu(QMenu& edit) const;
    // Window > Hex Editor and Description.
    void AddWindowItems(QMenu& windowMenu);

    void ShowEditorExecute();
    // The options dialog changes the editor's look, so the editor shows while it is up.
    void ToolEditorExecute();

private:
    // The editor's tool-bar commands carry the desktop's icons, or ours where it has none.
    void GiveToolBarIcons() const;

    QWidget& window_;
    THexEdit& editor_;
    QAction* showEditor_;
    QAction* editorOptions_;
    THoptions* hoptions_ = nullptr;
};

} // namespace zav
