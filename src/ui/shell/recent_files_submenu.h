#pragma once

#include <QObject>

#include <string>

class QMenu;

namespace zav {

struct ProgramSettings;

// File > Recent Files: the last files opened, newest first, numbered for the keyboard.
// Disabled while there are none.
class RecentFilesSubmenu final : public QObject {
    Q_OBJECT

public:
    // The submenu of `fileMenu`, kept up to date with `settings`' list whenever either opens.
    RecentFilesSubmenu(QMenu& fileMenu, const ProgramSettings& settings, QObject* parent);

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    void Fill();

signals:
    void FileChosen(const std::string& path);

private:
    const ProgramSettings& settings_;
    QMenu* menu_;
};

} // namespace zav
