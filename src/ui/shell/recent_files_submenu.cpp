#include "ui/shell/recent_files_submenu.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "shell/app_settings.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

constexpr std::size_t kRecentFilesShown = 5;

} // namespace

RecentFilesSubmenu::RecentFilesSubmenu(QMenu& fileMenu, const ProgramSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings), menu_(new QMenu(QStringLiteral("Recent Files"), &fileMenu))
{
    menu_->setObjectName(QStringLiteral("RecentFiles"));
    // A disabled submenu never shows, so its own aboutToShow cannot enable it: the File menu
    // brings it up to date instead.
    connect(&fileMenu, &QMenu::aboutToShow, this, &RecentFilesSubmenu::Fill);
    connect(menu_, &QMenu::aboutToShow, this, &RecentFilesSubmenu::Fill);
    connect(menu_, &QMenu::triggered, this,
            [this](QAction* entry) { emit FileChosen(ToSystemPath(entry->data().toString())); });
    Fill();
}

void RecentFilesSubmenu::Fill()
{
    menu_->clear();
    const std::vector<std::string>& files = settings_.RecentFiles;
    for (std::size_t index = 0; index < std::min(files.size(), kRecentFilesShown); ++index) {
        const QString path = FromSystemPath(files[index]);
        // A path may hold '&', which a menu would take for a mnemonic.
        QAction* entry = menu_->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(
            QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setData(path);
    }
    menu_->setEnabled(!files.empty());
}

} // namespace zav
