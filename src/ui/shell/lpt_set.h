#pragma once

#include <QDialog>

#include "shell/ports_setup_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace zav {

class MainWindowFlow;
class PortListing;

// The Ports Setup dialog: the parallel and serial ports present now, each with a line saying
// why others are missing, the port delay on a Fast..Slow slider, and the USB adapters
// plugged in with the ports map targets that name them. The lists are built
// afresh every time it is shown; OK stores the choice in the main window's settings.
class TLptSet final : public QDialog {
    Q_OBJECT

public:
    TLptSet(MainWindowFlow& flow, PortListing& ports, QWidget* parent = nullptr);

    [[nodiscard]] QComboBox* ComboBox1() const { return parallelList_; }
    [[nodiscard]] QComboBox* ComboBox2() const { return serialList_; }
    [[nodiscard]] QSlider* TrackBar1() const { return delaySlider_; }
    [[nodiscard]] QLabel* ParallelWhyMissing() const { return parallelWhy_; }
    [[nodiscard]] QLabel* SerialWhyMissing() const { return serialWhy_; }
    [[nodiscard]] QCheckBox* BackupBox() const { return backupBox_; }
    [[nodiscard]] QLabel* UsbAdapters() const { return usbAdapters_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    MainWindowFlow& flow_;
    PortListing& ports_;
    PortsSetupModel model_;
    QComboBox* parallelList_;
    QComboBox* serialList_;
    QSlider* delaySlider_;
    QLabel* parallelWhy_;
    QLabel* serialWhy_;
    QCheckBox* backupBox_ = nullptr;
    QLabel* usbAdapters_ = nullptr;
};

} // namespace zav
