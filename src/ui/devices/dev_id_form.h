#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "devices/select_device_model.h"

class QButtonGroup;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;

namespace zav {

// The Select Device dialog: a board in the "Hardware" group lists its devices, a device
// shows its memory map under "Device Info". The main window keeps the dialog, so the next
// opening shows the same board and device.
class TDevIdForm final : public QDialog {
    Q_OBJECT

public:
    explicit TDevIdForm(QWidget* parent = nullptr);

    // The selected device after OK.
    [[nodiscard]] std::optional<std::string> SelectedDevice() const { return model_.Accept(); }

    [[nodiscard]] QButtonGroup* HardBoard() const { return hardBoard_; }
    [[nodiscard]] QListWidget* DeviceListBox1() const { return deviceList_; }
    [[nodiscard]] QPlainTextEdit* DeviceParam1() const { return deviceParam_; }

    // OK without a selected device answers Cancel.
    void accept() override;

private:
    QGroupBox* CreateHardwareGroup();
    void SetUpDeviceList();
    void SetUpDeviceInfo();
    void HardBoardClick(int board);
    void DeviceListBox1Click();
    void ShowModel();

    SelectDeviceModel model_;
    QButtonGroup* hardBoard_;
    QListWidget* deviceList_;
    QPlainTextEdit* deviceParam_;
};

} // namespace zav
