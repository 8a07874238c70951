#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zav {

class LinkFactory;
class MessageBoxes;
class PortListing;

// What the main window needs from the program around it. zavprog passes the real ones;
// tests pass recorders, a settings folder of their own and the simulated board.
struct ShellServices {
    MessageBoxes& boxes;
    LinkFactory& links;
    // Whether a port name leads to the simulated board.
    std::function<bool(const std::string& portName)> isSimulated;
    // The ports the Ports Setup dialog lists.
    PortListing& ports;
    // Holds the settings file.
    std::filesystem::path settingsDirectory;
    // Starts a new instance of the program (Reset to Default).
    std::function<void()> restartProgram;
    // Where the user manual is looked for, in order.
    std::vector<std::filesystem::path> manualFolders;
    // Opens a document with the desktop's application for it; false when there is none.
    std::function<bool(const std::filesystem::path& document)> openDocument;
};

} // namespace zav
