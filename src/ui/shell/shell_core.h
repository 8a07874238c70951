#pragma once

class QWidget;

namespace zav {

class MainWindowFlow;
class MessageBoxes;
class StatusWin;
class THexEdit;

// What most of the main window's commands work on: the window (their dialogs' parent), the
// hex editor with the one buffer, the window's flow, the message list and the boxes.
struct ShellCore {
    QWidget& window;
    THexEdit& editor;
    MainWindowFlow& flow;
    StatusWin& status;
    MessageBoxes& boxes;
};

} // namespace zav
