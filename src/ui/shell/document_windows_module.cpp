// The entry point of the zav_documents module: the windows over Qt's printing and PDF
// libraries, made for the main window that loaded the module.
#include <QMainWindow>

#include "ui/files/print_form.h"
#include "ui/shell/document_windows.h"
#include "ui/shell/help_window.h"

namespace zav {
namespace {

class ModuleDocumentWindows final : public DocumentWindows {
public:
    std::unique_ptr<QDialog> MakePrintDialog(const MemoryBuffer& buffer, StatusSink& status, QProgressBar& progressBar,
                                             MessageBoxes& boxes, QWidget* parent) override
    {
        return std::make_unique<TPrintd>(buffer, status, progressBar, boxes, parent);
    }
    QMainWindow* MakeHelpWindow(const QString& manualPath, QWidget* parent) override
    {
        return new HelpWindow(manualPath, parent);
    }
};

} // namespace
} // namespace zav

extern "C" __attribute__((visibility("default"))) zav::DocumentWindows* zav_document_windows()
{
    static zav::ModuleDocumentWindows windows;
    return &windows;
}
