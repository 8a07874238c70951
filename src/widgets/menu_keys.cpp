#include "widgets/menu_keys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

#include "shell/menu_mnemonics.h"

namespace zav {

void GiveMenuMnemonics(QMenu& menu)
{
    std::vector<QAction*> items;
    std::vector<std::string> captions;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->text().isEmpty()) continue;
        items.push_back(action);
        captions.push_back(action->text().toStdString());
    }
    const std::vector<std::string> marked = WithMnemonics(captions);
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (marked[index] != captions[index]) items[index]->setText(QString::fromStdString(marked[index]));
        if (QMenu* submenu = items[index]->menu()) GiveMenuMnemonics(*submenu);
    }
}

void GiveMenuBarMnemonics(QMenuBar& bar)
{
    for (QAction* title : bar.actions()) {
        if (QMenu* menu = title->menu()) GiveMenuMnemonics(*menu);
    }
}

} // namespace zav
