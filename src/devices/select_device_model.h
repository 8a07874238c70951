#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zav {

// The Select Device dialog without the dialog: the chosen board, its devices, the chosen
// device and its memory-map summary. The dialog keeps one for its whole life, so a second
// opening shows the last board and device again.
class SelectDeviceModel {
public:
    [[nodiscard]] std::optional<int> Board() const { return board_; }
    [[nodiscard]] const std::vector<std::string>& Devices() const { return devices_; }
    [[nodiscard]] std::optional<int> SelectedDevice() const { return selected_; }
    // The "Device Info" lines of the selected device; none when nothing is selected.
    [[nodiscard]] const std::vector<std::string>& InfoLines() const { return infoLines_; }

    // Lists the board's devices with none selected; an index that is no board lists nothing.
    void ChooseBoard(int board);
    // An index outside the list selects nothing.
    void ChooseDevice(int index);

    // OK: the selected device's name, or nothing (the dialog then answers Cancel).
    [[nodiscard]] std::optional<std::string> Accept() const;

private:
    std::optional<int> board_;
    std::vector<std::string> devices_;
    std::optional<int> selected_;
    std::vector<std::string> infoLines_;
};

} // namespace zav
