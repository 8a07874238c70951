#include "ui/shell/lpt_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "shell/main_window_flow.h"
#include "ui/shell/screen_placement.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_row.h"
#include "widgets/reader_name.h"

namespace zav {

namespace {

QLabel* WhyMissingLabel(QWidget* parent, const char* objectName)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    return label;
}

void Fill(QComboBox& list, QLabel& why, const PortChoice& choice)
{
    list.clear();
    for (const std::string& name : choice.names) list.addItem(FromLatin1(name));
    list.setCurrentIndex(choice.selected);
    why.setText(FromLatin1(choice.whyMissing));
    why.setVisible(!choice.whyMissing.empty());
}

} // namespace

TLptSet::TLptSet(MainWindowFlow& flow, PortListing& ports, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      flow_(flow),
      ports_(ports),
      parallelList_(new QComboBox(this)),
      serialList_(new QComboBox(this)),
      delaySlider_(new QSlider(Qt::Horizontal, this)),
      parallelWhy_(WhyMissingLabel(this, "ParallelWhyMissing")),
      serialWhy_(WhyMissingLabel(this, "SerialWhyMissing"))
{
    setWindowTitle(QStringLiteral("Ports Setup"));
    parallelList_->setObjectName(QStringLiteral("ComboBox1"));
    serialList_->setObjectName(QStringLiteral("ComboBox2"));
    parallelList_->setEditable(false);
    serialList_->setEditable(false);

    delaySlider_->setObjectName(QStringLiteral("TrackBar1"));
    SetReaderName(*delaySlider_, QStringLiteral("Speed"), QStringLiteral("Delay between port signals: left fast, right slow"));
    delaySlider_->setRange(PortsSetupModel::kMinDelay, PortsSetupModel::kMaxDelay);
    delaySlider_->setTickInterval(PortsSetupModel::kDelayTickInterval);
    delaySlider_->setTickPosition(QSlider::TicksBothSides);
    delaySlider_->setPageStep(PortsSetupModel::kDelayTickInterval);

    auto* speed = new QFrame(this);
    speed->setFrameShape(QFrame::StyledPanel);
    speed->setFrameShadow(QFrame::Raised);
    auto* speedLayout = new QGridLayout(speed);
    speedLayout->addWidget(new QLabel(QStringLiteral("Speed"), speed), 0, 0, 1, 3, Qt::AlignHCenter);
    speedLayout->addWidget(new QLabel(QStringLiteral("Fast"), speed), 1, 0);
    speedLayout->addWidget(delaySlider_, 1, 1);
    speedLayout->addWidget(new QLabel(QStringLiteral("Slow"), speed), 1, 2);

    const OkCancelRow buttons = NewOkCancelRow(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("LPT Port"), this));
    layout->addWidget(parallelList_);
    layout->addWidget(parallelWhy_);
    layout->addWidget(speed);
    layout->addWidget(new QLabel(QStringLiteral("COM Port"), this));
    layout->addWidget(serialList_);
    layout->addWidget(serialWhy_);
    // The adapters' ports map targets, selectable so they can be copied into the map.
    auto* usbGroup = new QGroupBox(QStringLiteral("USB adapters"), this);
    usbAdapters_ = WhyMissingLabel(usbGroup, "UsbAdapters");
    usbAdapters_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    usbAdapters_->setAccessibleName(QStringLiteral("USB adapters"));
    usbAdapters_->setAccessibleDescription(
        QStringLiteral("The USB adapters plugged in, each with the ports map line that names it"));
    auto* usbLayout = new QVBoxLayout(usbGroup);
    usbLayout->addWidget(usbAdapters_);
    layout->addWidget(usbGroup);
    auto* programOptions = new QGroupBox(QStringLiteral("Program Options"), this);
    backupBox_ = new QCheckBox(QStringLiteral("&Back up the part before writing"), programOptions);
    backupBox_->setObjectName(QStringLiteral("BackupBeforeWrite"));
    backupBox_->setToolTip(QStringLiteral("Before an erase, program, lock or unlock, save the part's EEPROM and "
                                          "CONFIG in the backups folder (File > Restore Backup ...)"));
    auto* programLayout = new QVBoxLayout(programOptions);
    programLayout->addWidget(backupBox_);
    layout->addWidget(programOptions);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    parallelWhy_->setFixedWidth(320);
    serialWhy_->setFixedWidth(320);
    usbAdapters_->setFixedWidth(320);
    // Tab follows the controls from top to bottom.
    setTabOrder(parallelList_, delaySlider_);
    setTabOrder(delaySlider_, serialList_);
    setTabOrder(serialList_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
}

void TLptSet::showEvent(QShowEvent* event)
{
    FormShow();
    // The lists' notes change the dialog's height, so it is centred once they are filled.
    CentreOnDesktop(*this);
    QDialog::showEvent(event);
}

void TLptSet::FormShow()
{
    model_.Show(ports_, flow_);
    Fill(*parallelList_, *parallelWhy_, model_.Parallel());
    Fill(*serialList_, *serialWhy_, model_.Serial());
    std::string adapters;
    for (const std::string& line : model_.UsbAdapters()) adapters += (adapters.empty() ? "" : "\n") + line;
    usbAdapters_->setText(adapters.empty() ? QStringLiteral("None plugged in") : FromLatin1(adapters));
    delaySlider_->setValue(model_.Delay());
    backupBox_->setChecked(model_.Backup());
    parallelList_->setFocus();
}

void TLptSet::accept()
{
    model_.Accept(parallelList_->currentIndex(), serialList_->currentIndex(), delaySlider_->value(), flow_);
    model_.AcceptBackup(backupBox_->isChecked(), flow_);
    QDialog::accept();
}

} // namespace zav
