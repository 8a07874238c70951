#pragma once

#include <QObject>

#include <string>

#include "devices/device_selection_view.h"

class QAction;
class QLineEdit;
class QToolButton;
class QWidget;

namespace zav {

class MainWindowFlow;
class PortListing;
class SequencePages;
class TDevIdForm;
class THexEdit;
class TLptSet;

// The part and the port: the Device ID button's Select Device dialog, what a device change
// does to the buffer, the option toggles and the editor, and Tools > Ports Options.
class DeviceCommands final : public QObject, private DeviceSelectionView {
    Q_OBJECT

public:
    // `button` opens Select Device; `field` shows the device chosen.
    DeviceCommands(QWidget& window, QToolButton& button, QLineEdit& field, THexEdit& editor,
                   MainWindowFlow& flow, const SequencePages& pages, PortListing& ports);

    [[nodiscard]] QAction* PortsOptionsAction() const { return portsOptions_; }
    void DeviceIDButtonClick();
    void ToolLPTExecute();

private:
    void DeviceIDValueChange(const std::string& name);
    // DeviceSelectionView
    void SetOptionEnabled(SequenceOption option, bool enabled) override;
    void ShowAddressAtTop(std::int32_t address) override;

    QWidget& window_;
    QLineEdit& field_;
    THexEdit& editor_;
    MainWindowFlow& flow_;
    const SequencePages& pages_;
    PortListing& ports_;
    QAction* portsOptions_;
    TDevIdForm* devIdForm_ = nullptr;
    TLptSet* lptSet_ = nullptr;
};

} // namespace zav
