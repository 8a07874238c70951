#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "ui/devices/dev_id_form.h"
#include "ui/files/save_file_form.h"
#include "platform/settings_directory.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "support/recording_messages.h"
#include "ui/widget_finders.h"
#include "support/temp_folder.h"

namespace zav::testing {

// Recorded boxes that can also act while a box is up, as a user would before answering.
class ScriptedBoxes : public RecordingBoxes {
public:
    BoxAnswer Show(const BoxRequest& request) override
    {
        if (onShow) std::exchange(onShow, nullptr)();
        return RecordingBoxes::Show(request);
    }

    std::function<void()> onShow;
};

// Whether `path` lies in the home folder of whoever runs the tests.
inline bool InHomeFolder(const std::filesystem::path& path)
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return false;
    const std::filesystem::path homeFolder = std::filesystem::weakly_canonical(home);
    const std::filesystem::path inside = std::filesystem::weakly_canonical(path);
    const auto mismatch = std::mismatch(homeFolder.begin(), homeFolder.end(), inside.begin(), inside.end());
    return mismatch.first == homeFolder.end();
}

// A program sequence backs the part up into $XDG_DATA_HOME: while it lives, that is a folder
// of its own unless it already points outside the home folder (the suite's, a test's own).
class DataHomeOutsideHome {
public:
    explicit DataHomeOutsideHome(const std::filesystem::path& ownFolder)
    {
        const char* current = std::getenv("XDG_DATA_HOME");
        if (current != nullptr && *current == '/' && !InHomeFolder(current)) return;
        if (current != nullptr) previous_ = current;
        replaced_ = true;
        setenv("XDG_DATA_HOME", ownFolder.c_str(), 1);
    }
    DataHomeOutsideHome(const DataHomeOutsideHome&) = delete;
    DataHomeOutsideHome& operator=(const DataHomeOutsideHome&) = delete;
    ~DataHomeOutsideHome()
    {
        if (!replaced_) return;
        if (previous_) {
            setenv("XDG_DATA_HOME", previous_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

private:
    bool replaced_ = false;
    std::optional<std::string> previous_;
};

// A main window over a settings folder of its own whose ports map puts the simulated board
// on LPT1 and COM1, with boxes a test answers and recorders for the restart and the manual.
// Its backups never land in the home folder.
struct ShellFixture {
    // With `simulate`, every port is a simulated board with those options.
    explicit ShellFixture(const std::string& portsMap = "LPT1=simulator\nCOM1=simulator\n",
                          const std::optional<BoardSimOptions>& simulate = std::nullopt)
    {
        WriteFileBytes(folder / "ports", portsMap);
        map = LoadPortsMap(folder / "ports");
        links = std::make_unique<PortsMapLinkFactory>(map, simulate);
        ports = std::make_unique<SystemPortListing>(map, simulate);
    }

    TProgShell& Make()
    {
        ShellServices services{boxes,
                               *links,
                               [this](const std::string& portName) { return links->Simulates(portName); },
                               *ports,
                               folder.Path(),
                               [this] { ++restarts; },
                               {folder.Path()},
                               [this](const std::filesystem::path& document) {
                                   if (openThrows) throw std::runtime_error("viewer crashed");
                                   opened.push_back(document);
                                   return viewerInstalled;
                               }};
        shell = std::make_unique<TProgShell>(std::move(services));
        return *shell;
    }

    [[nodiscard]] std::filesystem::path SettingsFile() const { return folder / "zozadav.ini"; }

    TempFolder folder;
    DataHomeOutsideHome dataHome{folder / "data"};
    PortsMap map;
    ScriptedBoxes boxes;
    std::unique_ptr<PortsMapLinkFactory> links;
    std::unique_ptr<SystemPortListing> ports;
    int restarts = 0;
    bool viewerInstalled = true;
    bool openThrows = false;
    std::vector<std::filesystem::path> opened;
    std::unique_ptr<TProgShell> shell;
};

// Chooses the device in `row` of `board`'s list through the Select Device dialog, as a user
// would.
inline void SelectDevice(TProgShell& shell, int board, int row)
{
    OnNextModal<TDevIdForm>([board, row](TDevIdForm& form) {
        form.HardBoard()->button(board)->click();
        form.DeviceListBox1()->setCurrentRow(row);
        form.accept();
    });
    shell.DeviceIDButton()->click();
}

// Answers the next save dialog: saves into `path`, or cancels with no path.
inline void SaveOnNextDialog(const std::optional<std::filesystem::path>& path)
{
    OnNextModal<TSavef>([path](TSavef& dialog) {
        if (!path) {
            dialog.reject();
            return;
        }
        dialog.SetFileChooser([path](QWidget*) { return ChosenFile{QString::fromStdString(path->string())}; });
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    });
}

// Types two hex digits into the cell at `address`, as a user would: an edit Undo can take back.
inline void EditCell(TProgShell& shell, std::int32_t address, const char* digits)
{
    THexEdit& editor = shell.HexEditor();
    editor.show();
    editor.SelectAddress(address);
    QTest::keyClicks(&editor.HexPane(), QString::fromLatin1(digits));
}

// The message list's lines without their leading colour mark.
inline std::vector<std::string> Lines(TProgShell& shell)
{
    std::vector<std::string> lines;
    const StatusListModel& model = shell.Status().Lines();
    for (int row = 0; row < model.rowCount(); ++row) lines.push_back(model.Line(row).substr(1));
    return lines;
}

} // namespace zav::testing
