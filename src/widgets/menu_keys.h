#pragma once

class QMenu;
class QMenuBar;

namespace zav {

// Underlines a letter in every item of the menu and of its submenus, each unique within its
// menu; items that have one keep it. Actions shared between menus keep the letter the first
// menu gave them, which the later menus then leave to them.
void GiveMenuMnemonics(QMenu& menu);
// The same for every menu of the bar (the bar's own titles carry theirs already).
void GiveMenuBarMnemonics(QMenuBar& bar);

} // namespace zav
