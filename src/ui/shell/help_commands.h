#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace zav {

struct ShellServices;

// The Help menu: the user manual (F1) and About.
class HelpCommands final : public QObject {
    Q_OBJECT

public:
    HelpCommands(QWidget& window, const ShellServices& services);

    [[nodiscard]] QAction* ManualAction() const { return manual_; }
    void FillMenu(QMenu& help) const;

    void HelpProgExecute();
    void HelpAboutExecute();

private:
    QWidget& window_;
    const ShellServices& services_;
    QAction* manual_;
    QAction* about_;
};

} // namespace zav
