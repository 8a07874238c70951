// zavprog: the device programmer's desktop program.

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <filesystem>

#include "link/linux/settings_directory.h"
#include "shell/ui/prog_shell.h"
#include "shell/ui/qt_message_boxes.h"
#include "shell/ui/zav_application.h"

namespace {

// The manual lies next to the program, in the installed documentation, or in the current
// folder.
std::vector<std::filesystem::path> ManualFolders()
{
    std::error_code ignored;
    return {std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()),
            std::filesystem::path(ZAV_DOC_DIR), std::filesystem::current_path(ignored)};
}

// The desktop opens the PDF with its own application; without one there is no help.
bool OpenWithDesktop(const std::filesystem::path& document)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("application/pdf")});
    if (!query.waitForFinished(2000) || query.readAllStandardOutput().trimmed().isEmpty()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(document.string())));
}

} // namespace

int main(int argc, char** argv)
{
    zav::ZavApplication application(argc, argv);
    zav::QtMessageBoxes boxes;
    zav::PortsMapLinkFactory links(zav::LoadPortsMap(), std::nullopt);
    zav::SystemPortListing ports(zav::LoadPortsMap());
    zav::TProgShell shell({boxes, links,
                           [&links](const std::string& portName) { return links.Simulates(portName); }, ports,
                           zav::SettingsDirectory(),
                           [] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); },
                           ManualFolders(), OpenWithDesktop});
    boxes.SetParent(&shell);
    QObject::connect(&shell, &zav::TProgShell::SequenceStopRequested, &shell, [&boxes] { boxes.DismissOpenBoxes(); });
    shell.LoadSettings();
    shell.show();
    return application.exec();
}
