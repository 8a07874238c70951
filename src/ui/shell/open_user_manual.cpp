#include "ui/shell/open_user_manual.h"

#include <QMainWindow>
#include <QVariant>

#include <string>

#include "messages/message_boxes.h"
#include "ui/shell/document_windows.h"
#include "ui/shell/screen_placement.h"
#include "shell/user_manual.h"
#include "widgets/system_text.h"

namespace zav {

QMainWindow* OpenUserManual(MessageBoxes& boxes, const std::vector<std::filesystem::path>& folders,
                            const std::function<bool(const std::filesystem::path&)>& openDocument, QWidget* window)
{
    const auto manual = FindUserManual(folders);
    if (!manual) {
        boxes.ShowError(UserManualMissingText(folders));
        return nullptr;
    }
    if (openDocument && openDocument(*manual)) return nullptr;

    const QString path = FromSystemPath(manual->string());
    auto* help = window->findChild<QMainWindow*>(QStringLiteral("HelpWindow"), Qt::FindDirectChildrenOnly);
    if (help != nullptr && help->property("manualPath").toString() != path) {
        delete help;
        help = nullptr;
    }
    if (help == nullptr) {
        std::string failure;
        DocumentWindows* windows = LoadDocumentWindows(failure);
        if (windows == nullptr) {
            boxes.ShowError("The help window cannot be opened: " + failure);
            return nullptr;
        }
        help = windows->MakeHelpWindow(path, window);
        // Its reading size where the screen has room, and whole on the screen where not.
        FitAndCentreOnScreen(*help, help->width(), help->height());
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

} // namespace zav
