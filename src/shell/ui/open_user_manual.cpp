#include "shell/ui/open_user_manual.h"

#include <QWidget>

#include "messages/message_boxes.h"
#include "shell/ui/help_window.h"
#include "shell/ui/screen_placement.h"
#include "shell/user_manual.h"
#include "widgets/system_text.h"

namespace zav {

HelpWindow* OpenUserManual(MessageBoxes& boxes, const std::vector<std::filesystem::path>& folders,
                           const std::function<bool(const std::filesystem::path&)>& openDocument, QWidget* window)
{
    const auto manual = FindUserManual(folders);
    if (!manual) {
        boxes.ShowError(UserManualMissingText(folders));
        return nullptr;
    }
    if (openDocument && openDocument(*manual)) return nullptr;

    const QString path = FromSystemPath(manual->string());
    auto* help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help != nullptr && help->ManualPath() != path) {
        delete help;
        help = nullptr;
    }
    if (help == nullptr) {
        help = new HelpWindow(path, window);
        // Its reading size where the screen has room, and whole on the screen where not.
        FitAndCentreOnScreen(*help, help->width(), help->height());
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

} // namespace zav
