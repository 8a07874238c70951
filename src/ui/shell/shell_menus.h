#pragma once

class QToolBar;

namespace zav {

class TProgShell;

// File, Edit, Tools, Window and Help, from the commands of the window's parts, each item
// with its underlined letter.
void BuildShellMenus(TProgShell& window);
// "ToolBar1": the windows, the file commands and the manual, then the editor's commands.
[[nodiscard]] QToolBar* BuildShellToolBar(TProgShell& window);

} // namespace zav
