#pragma once

#include <memory>
#include <string>

class QDialog;
class QMainWindow;
class QProgressBar;
class QString;
class QWidget;

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// The windows that need Qt's printing and PDF libraries: the print dialog and the help
// window. They live in a module of their own (zav_documents), loaded on first use, so that
// a start loads and relocates none of those libraries, nor what they bring (cups, Kerberos,
// OpenJPEG, libproxy).
class DocumentWindows {
public:
    virtual ~DocumentWindows() = default;
    // "Print" over the buffer; the main window keeps it and shows it modally.
    [[nodiscard]] virtual std::unique_ptr<QDialog> MakePrintDialog(const MemoryBuffer& buffer, StatusSink& status,
                                                                   QProgressBar& progressBar, MessageBoxes& boxes,
                                                                   QWidget* parent) = 0;
    // The help window on the manual, a child of `parent` named "HelpWindow" whose property
    // "manualPath" is the file it shows.
    [[nodiscard]] virtual QMainWindow* MakeHelpWindow(const QString& manualPath, QWidget* parent) = 0;
};

// The module's windows, loaded on the first call and kept; null when the module cannot be
// loaded, with `failure` saying why.
[[nodiscard]] DocumentWindows* LoadDocumentWindows(std::string& failure);

// The C function the module exports, returning its DocumentWindows.
inline constexpr const char* kDocumentWindowsEntry = "zav_document_windows";
// The module's file name.
inline constexpr const char* kDocumentWindowsModule = "libzav_documents.so";

} // namespace zav
