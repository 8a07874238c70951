#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace zav {

// A file the user confirmed in a system file dialog, with the filter that was active then
// (numbered from 1, as the dialogs' format presets count).
struct ChosenFile {
    QString path;
    int filterIndex = 1;
};

// Asks the user for a file; nothing when the dialog was cancelled. The windows call it
// through this type so a test can stand in for the system dialog.
using FileChooser = std::function<std::optional<ChosenFile>(QWidget* parent)>;

// The buffer file filter as the file dialogs list it. "All" shows every file, also those
// without a dot in their name.
[[nodiscard]] QStringList BufferFileNameFilters();

// The system's file-open dialog for a buffer file: existing files only, resizable.
[[nodiscard]] std::optional<ChosenFile> ChooseBufferFileToOpen(QWidget* parent);
// The system's "Save File" dialog: asks before replacing a file; a name typed without an
// extension gets the one of the active filter ("zef" under "All").
[[nodiscard]] std::optional<ChosenFile> ChooseBufferFileToSave(QWidget* parent);

} // namespace zav
