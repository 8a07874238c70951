#include "ui/shell/help_commands.h"

#include <QAction>
#include <QMenu>

#include "ui/shell/about_w.h"
#include "ui/shell/open_user_manual.h"
#include "ui/shell/screen_placement.h"
#include "ui/shell/shell_command.h"
#include "ui/shell/shell_services.h"

namespace zav {

HelpCommands::HelpCommands(QWidget& window, const ShellServices& services)
    : QObject(&window), window_(window), services_(services),
      manual_(NewShellCommand(window, "HelpProg", QStringLiteral("User Manual"), "help-contents",
                              QStringLiteral("Open Help File"))),
      about_(NewShellCommand(window, "HelpAbout", QStringLiteral("About ..."), "help-about", QString()))
{
    manual_->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 asks for help wherever the user is: in the hex editor and the description window too,
    // which are windows of their own (a modal box still takes its keys first).
    manual_->setShortcutContext(Qt::ApplicationShortcut);
    OnTriggered(manual_, this, window, [this] { HelpProgExecute(); });
    OnTriggered(about_, this, window, [this] { HelpAboutExecute(); });
}

void HelpCommands::FillMenu(QMenu& help) const
{
    help.addAction(manual_);
    help.addSeparator();
    help.addAction(about_);
}

void HelpCommands::HelpProgExecute()
{
    OpenUserManual(services_.boxes, services_.manualFolders, services_.openDocument, &window_);
}

void HelpCommands::HelpAboutExecute()
{
    TAboutW about(&window_);
    CentreOnDesktop(about);
    about.exec();
}

} // namespace zav
