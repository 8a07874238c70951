#pragma once

class QMainWindow;
class QToolBar;

namespace zav {

class CompareCommand;
class DeviceCommands;
class EditorWindowCommands;
class FileCommands;
class HelpCommands;
class SafetyCommands;
class ShellSettings;
class THexEdit;

// The main window's parts that own the commands its menus and tool bar show.
struct ShellCommandOwners {
    FileCommands& files;
    CompareCommand& compare;
    SafetyCommands& safety;
    EditorWindowCommands& editorWindows;
    DeviceCommands& device;
    ShellSettings& settings;
    HelpCommands& help;
    THexEdit& editor;
};

// File, Edit, Tools, Window and Help, each item with its underlined letter.
void BuildShellMenus(QMainWindow& window, const ShellCommandOwners& owners);
// "ToolBar1": the windows, the file commands and the manual, then the editor's commands.
QToolBar* BuildShellToolBar(QMainWindow& window, const ShellCommandOwners& owners);

} // namespace zav
