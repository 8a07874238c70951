#pragma once

#include <filesystem>
#include <functional>
#include <vector>

class QWidget;

namespace zav {

class HelpWindow;
class MessageBoxes;

// F1: opens the user manual with the desktop's PDF application when `openDocument` finds
// one, otherwise in the program's own help window (one for `window`, raised again on the
// next F1). Only when none of `folders` holds the manual does a box appear, naming them.
// Returns the help window when it was used.
HelpWindow* OpenUserManual(MessageBoxes& boxes, const std::vector<std::filesystem::path>& folders,
                           const std::function<bool(const std::filesystem::path&)>& openDocument, QWidget* window);

} // namespace zav
