#pragma once

#include <string>

#include "files/open_file_dialog.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;
struct ProgramSettings;

// The open dialog's OK over the file it has chosen: the load, and a file loaded moved to the
// front of the recent files.
OpenResult LoadChosenFile(OpenFileDialog& dialog, MemoryBuffer& buffer, ProgramSettings& settings, StatusSink& status,
                          MessageBoxes& boxes);

// Loads a file named on the command line or dropped on a window as the open dialog would
// with its defaults: the likeliest detected format, the whole file, nothing cleared. What the
// load has to say goes to the message list ("Read file complete", warnings, and the errors
// a box would otherwise show); questions are still asked in `boxes`. A loaded file moves to
// the front of the recent files.
OpenResult OpenFileDirectly(const std::string& path, MemoryBuffer& buffer, ProgramSettings& settings,
                            StatusSink& status, MessageBoxes& boxes);

} // namespace zav
