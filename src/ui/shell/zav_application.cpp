#include "ui/shell/zav_application.h"

#include <QIcon>

#include <exception>

#include "ui/shell/themed_icon.h"
#include "widgets/guarded_command.h"

namespace zav {

ZavApplication::ZavApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("zavprog"));
    // No display name: Qt would append it to every window's caption (" — ..."), and the
    // captions are the windows' own texts. The desktop knows the program by its entry.
    setOrganizationName(QStringLiteral("zav"));
    setDesktopFileName(QStringLiteral("org.zav.zavprog"));
    // The program's own drawing: the theme holds the same picture once installed, and asking it
    // for a name it may not have walks every theme folder at start.
    setWindowIcon(OwnIcon("org.zav.zavprog.svg"));
}

bool ZavApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& exception) {
        ShowExceptionBox(activeWindow(), &exception);
    } catch (...) {
        ShowExceptionBox(activeWindow(), nullptr);
    }
    return false;
}

} // namespace zav
