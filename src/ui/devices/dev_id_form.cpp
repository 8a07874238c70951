#include "ui/devices/dev_id_form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "devices/device_catalogue.h"
#include "widgets/guarded_command.h"
#include "widgets/latin1_text.h"
#include "widgets/ok_cancel_row.h"
#include "widgets/reader_name.h"

namespace zav {

TDevIdForm::TDevIdForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      hardBoard_(new QButtonGroup(this)),
      deviceList_(new QListWidget(this)),
      deviceParam_(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Select Device"));
    setSizeGripEnabled(true);
    QGroupBox* hardware = CreateHardwareGroup();
    SetUpDeviceList();
    SetUpDeviceInfo();
    const OkCancelRow buttons = NewOkCancelRow(*this);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Device"), this), 0, 0);
    lists->addWidget(deviceList_, 1, 0);
    lists->addWidget(new QLabel(QStringLiteral("Device Info"), this), 0, 1);
    lists->addWidget(deviceParam_, 1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(hardware);
    top->addLayout(lists, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons.row);
    resize(480, 280);
}

QGroupBox* TDevIdForm::CreateHardwareGroup()
{
    auto* hardware = new QGroupBox(QStringLiteral("Hardware"), this);
    hardware->setObjectName(QStringLiteral("HardBoard"));
    auto* hardwareLayout = new QVBoxLayout(hardware);
    int board = 0;
    for (const std::string_view name : DeviceCatalogue::HardwareBoardNames()) {
        auto* item = new QRadioButton(FromLatin1(std::string(name)), hardware);
        hardBoard_->addButton(item, board++);
        hardwareLayout->addWidget(item);
    }
    hardwareLayout->addStretch();
    connect(hardBoard_, &QButtonGroup::idClicked, this,
            Guarded(this, [this](int id) { HardBoardClick(id); }));
    return hardware;
}

void TDevIdForm::SetUpDeviceList()
{
    const QStyle* style = deviceList_->style();
    deviceList_->setObjectName(QStringLiteral("DeviceListBox1"));
    deviceList_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetReaderName(*deviceList_, QStringLiteral("Device"));
    // Names that differ only at their end ("TMS370Cx5x (256)", "(512)") must show whole.
    int widestName = 0;
    for (int board = 0; board < DeviceCatalogue::kHardwareBoardCount; ++board) {
        for (const std::string& name : DeviceCatalogue::DevicesOfBoard(board)) {
            widestName = std::max(widestName, deviceList_->fontMetrics().horizontalAdvance(FromLatin1(name)));
        }
    }
    const int itemMargins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, deviceList_) + 1);
    deviceList_->setMinimumWidth(widestName + itemMargins + 2 * deviceList_->frameWidth() +
                                 style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, deviceList_));
    connect(deviceList_, &QListWidget::itemSelectionChanged, this,
            Guarded(this, [this] { DeviceListBox1Click(); }));
    // The list gives the focus to its first device without choosing it, and an arrow key on a
    // list of one moves nowhere; the device the keys stand on is the one chosen.
    connect(deviceList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !deviceList_->item(row)->isSelected()) deviceList_->item(row)->setSelected(true);
    });
}

void TDevIdForm::SetUpDeviceInfo()
{
    deviceParam_->setObjectName(QStringLiteral("DeviceParam1"));
    deviceParam_->setReadOnly(true);
    SetReaderName(*deviceParam_, QStringLiteral("Device Info"));
    deviceParam_->setLineWrapMode(QPlainTextEdit::NoWrap);
    deviceParam_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    deviceParam_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Wide enough for every device's memory map without scrolling sideways.
    int widestInfo = 0;
    for (const DeviceInfo& device : DeviceCatalogue::Devices()) {
        for (const QString& line :
             FromLatin1(std::string(device.descriptionText)).split(QStringLiteral("\r\n"))) {
            widestInfo = std::max(widestInfo, deviceParam_->fontMetrics().horizontalAdvance(line));
        }
    }
    const int documentMargins = 2 * static_cast<int>(std::ceil(deviceParam_->document()->documentMargin()));
    const int scrollBar =
        deviceParam_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, deviceParam_);
    deviceParam_->setMinimumWidth(widestInfo + documentMargins + 2 * deviceParam_->frameWidth() + scrollBar +
                                  2);
}

void TDevIdForm::HardBoardClick(int board)
{
    model_.ChooseBoard(board);
    ShowModel();
}

void TDevIdForm::DeviceListBox1Click()
{
    const QList<QListWidgetItem*> selected = deviceList_->selectedItems();
    model_.ChooseDevice(selected.isEmpty() ? -1 : deviceList_->row(selected.front()));
    QStringList lines;
    for (const std::string& line : model_.InfoLines()) lines << FromLatin1(line);
    deviceParam_->setPlainText(lines.join(QLatin1Char('\n')));
}

void TDevIdForm::ShowModel()
{
    const QSignalBlocker quiet(deviceList_);
    deviceList_->clear();
    for (const std::string& name : model_.Devices()) deviceList_->addItem(FromLatin1(name));
    deviceList_->clearSelection();
    deviceList_->setCurrentRow(-1);
    deviceParam_->clear();
}

void TDevIdForm::accept()
{
    if (model_.Accept()) {
        QDialog::accept();
    } else {
        reject();
    }
}

} // namespace zav
