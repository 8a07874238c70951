#pragma once

#include <filesystem>
#include <functional>
#include <vector>

class QMainWindow;
class QWidget;

namespace zav {

class MessageBoxes;

// F1: opens the user manual with the desktop's PDF application when `openDocument` finds
// one, otherwise in the program's own help window (one for `window`, raised again on the
// next F1; loaded with the print and help module on first use). Only when none of `folders`
// holds the manual, or the module is missing, does a box appear saying so. Returns the help
// window when it was used.
QMainWindow* OpenUserManual(MessageBoxes& boxes, const std::vector<std::filesystem::path>& folders,
                            const std::function<bool(const std::filesystem::path&)>& openDocument, QWidget* window);

} // namespace zav
