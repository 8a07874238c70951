#include "screenshot_session.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "buffer/description.h"
#include "buffer/memory_buffer.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "ui/buffer/verify_differences_window.h"
#include "platform/settings_directory.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "ui/buffer/data_inspector_window.h"
#include "ui/shell/compare_command.h"
#include "ui/shell/device_commands.h"
#include "ui/shell/editor_window_commands.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/help_commands.h"
#include "ui/shell/message_list_menu.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "ui/shell/qt_message_boxes.h"
#include "ui/shell/safety_commands.h"

namespace {

const QString kDevice = QStringLiteral("MC68HC11PA8");
constexpr std::int32_t kEepromStart = 0x0E00;
constexpr std::int32_t kConfigAddress = 0x003F;
constexpr int kSequenceTimeoutMs = 120000;

void ClickButton(QWidget& window, const QString& text)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text && button->isVisible()) {
            button->click();
            return;
        }
    }
}

// Picks `text` in the window's first list, as a click would.
void ClickListItem(QWidget& window, const QString& text)
{
    auto* view = window.findChild<QAbstractItemView*>();
    if (view == nullptr || view->model() == nullptr) return;
    const QModelIndexList hits = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                                      Qt::MatchExactly);
    if (hits.isEmpty()) return;
    view->setCurrentIndex(hits.first());
    emit view->clicked(hits.first());
}

QAction* FindAction(QWidget& window, const QString& objectName, const QString& text)
{
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->objectName() == objectName || action->text().remove(QLatin1Char('&')) == text) return action;
    }
    return nullptr;
}

} // namespace

ScreenshotSession::ScreenshotSession(WindowGrabber& grabber) : grabber_(grabber) {}

ScreenshotSession::~ScreenshotSession() = default;

void ScreenshotSession::Run()
{
    boxes_ = std::make_unique<zav::QtMessageBoxes>();
    links_ = std::make_unique<zav::PortsMapLinkFactory>(zav::LoadPortsMap(), std::nullopt);
    ports_ = std::make_unique<zav::SystemPortListing>(zav::LoadPortsMap(), std::nullopt);
    zav::PortsMapLinkFactory& links = *links_;
    shell_ = std::make_unique<zav::TProgShell>(zav::ShellServices{
        *boxes_, links, [&links](const std::string& portName) { return links.Simulates(portName); }, *ports_,
        zav::SettingsDirectory(), [] {}, {}, [](const std::filesystem::path&) { return false; }});
    boxes_->SetParent(shell_.get());
    shell_->LoadSettings();
    shell_->show();
    WindowGrabber::Settle(200);

    SelectDevice();
    FillDemoBuffer();
    ShowEditorWindows();
    EditorDialogs();
    EditorExtras();
    ShellDialogs();
    ProgramDevice();
    MessageListMenu();
    ComposeReadmePicture();
    ShowVerifyDifferences();
    CompareWithFile();

    // Everything is shown: close without the save question and without settings to write.
    shell_->HexEditor().DescriptionWindow().close();
    shell_->HexEditor().close();
    shell_->hide();
}

void ScreenshotSession::SelectDevice()
{
    grabber_.SaveModal(
        QStringLiteral("select_device"), [this] { shell_->Device().DeviceIDButtonClick(); },
        [](QWidget& dialog) {
            ClickButton(dialog, kDevice);
            WindowGrabber::Settle();
            ClickListItem(dialog, kDevice);
        },
        [](QWidget& dialog) { ClickButton(dialog, QStringLiteral("OK")); });
    if (shell_->DeviceIDValue()->text() != kDevice)
        grabber_.Fail(QStringLiteral("select_device: %1 was not selected").arg(kDevice));
}

void ScreenshotSession::FillDemoBuffer()
{
    zav::MemoryBuffer& buffer = shell_->HexEditor().Buffer();
    const std::string serial = "ZAV-004217";
    const std::string banner = "Door controller 1.2  (c) 2002 ZAV";
    buffer.BeginUpdate();
    for (std::int32_t address = kEepromStart; address <= 0x0FFF; ++address) buffer.SetByte(address, 0xFF);
    for (std::size_t i = 0; i < serial.size(); ++i)
        buffer.SetByte(kEepromStart + static_cast<std::int32_t>(i), static_cast<std::uint8_t>(serial[i]));
    // A calibration table: 32 rising steps.
    for (std::int32_t i = 0; i < 32; ++i)
        buffer.SetByte(kEepromStart + 0x10 + i, static_cast<std::uint8_t>(0x30 + i * 2));
    // Event counters: small numbers, which the character pane shows as code page 437's pictures.
    const std::uint8_t counters[] = {0x01, 0x03, 0x00, 0x02, 0x1B, 0x07, 0x0E, 0x7F};
    for (std::int32_t i = 0; i < 8; ++i) buffer.SetByte(kEepromStart + 0x30 + i, counters[i]);
    for (std::size_t i = 0; i < banner.size(); ++i)
        buffer.SetByte(kEepromStart + 0x40 + static_cast<std::int32_t>(i), static_cast<std::uint8_t>(banner[i]));
    // The banner's line ends in CR LF.
    buffer.SetByte(kEepromStart + 0x40 + static_cast<std::int32_t>(banner.size()), 0x0D);
    buffer.SetByte(kEepromStart + 0x41 + static_cast<std::int32_t>(banner.size()), 0x0A);
    buffer.SetByte(kConfigAddress, 0x0D);
    buffer.EndUpdate();

    zav::Description& description = buffer.Descriptions();
    description.SetProjectName("Door controller");
    description.SetDeviceName("MC68HC11PA8");
    description.SetNotes("Serial number and calibration table of the door controller.\r\n"
                         "Program with Erase, Program and Verify; answer Yes to the CONFIG question.");
    description.SetDescriptionRow(0, kEepromStart, 3, true, "Serial number, written once");
    description.SetDescriptionRow(1, kEepromStart + 0x10, 12, false, "Calibration table, 32 steps");
    description.SetDescriptionRow(2, kEepromStart + 0x40, 33, false, "Firmware banner");
    description.SetDescriptionRow(3, kConfigAddress, 48, false, "CONFIG: EEPROM on, COP off");

    // Two edits since the load, shown in the edited colour.
    buffer.SetByte(kEepromStart + 0x1E, 0x7A);
    buffer.SetByte(kEepromStart + 0x1F, 0x7B);
}

void ScreenshotSession::ShowEditorWindows()
{
    zav::THexEdit& editor = shell_->HexEditor();
    shell_->EditorWindows().ShowEditorExecute();
    WindowGrabber::Settle();
    editor.ShowAddressAtTop(kEepromStart);
    editor.SelectAddress(kEepromStart + 0x1E);
    hexEditorPicture_ = grabber_.Save(editor, QStringLiteral("hex_editor"));

    editor.Action(zav::EditorAction::Property)->trigger();
    zav::TExplaine& description = editor.DescriptionWindow();
    grabber_.Save(description, QStringLiteral("description"));
    if (QAction* cellEdit = FindAction(description, QStringLiteral("CellEdit"), QStringLiteral("Edit")))
        grabber_.SaveModal(QStringLiteral("edit_cell"), [cellEdit] { cellEdit->trigger(); });
    else
        grabber_.Fail(QStringLiteral("edit_cell: the description window has no Edit action"));
    description.close();
}

void ScreenshotSession::EditorDialogs()
{
    zav::THexEdit& editor = shell_->HexEditor();
    const auto trigger = [&editor](zav::EditorAction action) {
        return [&editor, action] { editor.Action(action)->trigger(); };
    };
    grabber_.SaveModal(QStringLiteral("copy_range"), trigger(zav::EditorAction::Copy));
    grabber_.SaveModal(QStringLiteral("fill"), trigger(zav::EditorAction::Fill));
    grabber_.SaveModal(QStringLiteral("copy_as"), trigger(zav::EditorAction::CopyAs));
    grabber_.SaveModal(QStringLiteral("find"), trigger(zav::EditorAction::Find));
    grabber_.SaveModal(QStringLiteral("go_to"), trigger(zav::EditorAction::GoToAddr));
    grabber_.SaveModal(QStringLiteral("swap"), trigger(zav::EditorAction::Swap));
}

void ScreenshotSession::EditorExtras()
{
    zav::THexEdit& editor = shell_->HexEditor();
    editor.ShowAddressAtTop(kEepromStart);
    editor.SelectAddress(kEepromStart + 0x10);
    editor.ExtraAction(zav::EditorExtraAction::DataInspector)->trigger();
    grabber_.Save(editor.DataInspector(), QStringLiteral("data_inspector"));
    editor.DataInspector().close();

    // A block of the calibration table, two rows of eight cells, as Shift and the arrows make it.
    editor.HexPane().setFocus();
    const auto shifted = [&editor](Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ShiftModifier);
        QApplication::sendEvent(&editor.HexPane(), &press);
    };
    for (int step = 0; step < 7; ++step) shifted(Qt::Key_Right);
    shifted(Qt::Key_Down);
    grabber_.Save(editor, QStringLiteral("hex_editor_selection"));
    editor.SelectAddress(kEepromStart + 0x10);

    grabber_.SaveModal(
        QStringLiteral("replace"), [&editor] { editor.ExtraAction(zav::EditorExtraAction::Replace)->trigger(); },
        [](QWidget& dialog) {
            if (auto* replacement = dialog.findChild<QComboBox*>(QStringLiteral("ReplaceText")))
                replacement->setEditText(QStringLiteral("31"));
        });
}

void ScreenshotSession::MessageListMenu()
{
    zav::StatusWin& list = shell_->Status();
    QMenu* menu = shell_->MessageMenu().Menu();
    const QPoint at(list.width() / 3, 8);
    emit list.customContextMenuRequested(at);
    WindowGrabber::Settle();
    // Offscreen the menu is a window of its own: it is drawn onto the list where it opened.
    const QPixmap listPicture = list.grab();
    const QPixmap menuPicture = menu->grab();
    const qreal ratio = listPicture.devicePixelRatio();
    const QSizeF logical = list.size().expandedTo((QSizeF(at.x(), at.y()) + menuPicture.deviceIndependentSize()).toSize());
    QPixmap picture((logical * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(QPoint(0, 0), listPicture);
    painter.drawPixmap(at, menuPicture);
    painter.end();
    menu->close();
    grabber_.SavePicture(WindowGrabber::Framed(picture, shell_->windowTitle()), QStringLiteral("message_list_menu"),
                         WindowGrabber::WindowTexts(*shell_));
}

void ScreenshotSession::ShellDialogs()
{
    grabber_.SaveModal(QStringLiteral("hex_editor_options"), [this] { shell_->EditorWindows().ToolEditorExecute(); });
    grabber_.SaveModal(QStringLiteral("ports_setup"), [this] { shell_->Device().ToolLPTExecute(); });
    grabber_.SaveModal(QStringLiteral("about"), [this] { shell_->Help().HelpAboutExecute(); });
    grabber_.SaveModal(QStringLiteral("open_file"), [this] { shell_->Files().EditOpenFileExecute(); });
    grabber_.SaveModal(QStringLiteral("save_file"), [this] { shell_->Files().EditSaveFileExecute(); });
    grabber_.SaveModal(QStringLiteral("print"), [this] { shell_->Files().EditPrintExecute(); });
}

namespace {

// The message list names the backup below the session's stand-in home folder; the pictures
// show it as "~", the way the path reads in a user's own home.
void ShowHomeAsTilde(zav::StatusListModel& lines)
{
    const std::string home = qgetenv("HOME").toStdString();
    const std::vector<std::string> stored = lines.AllLines();
    lines.Clear();
    for (const std::string& line : stored) {
        // Past the kind's tag: the text as the list shows it.
        std::string shown;
        std::size_t from = 1;
        for (std::size_t at = line.find(home, from); at != std::string::npos; at = line.find(home, from)) {
            shown.append(line, from, at - from);
            shown.push_back('~');
            from = at + home.size();
        }
        shown.append(line, from);
        zav::StatusKind kind = zav::StatusKind::Normal;
        if (line.front() == '1') kind = zav::StatusKind::Warning;
        if (line.front() == '2') kind = zav::StatusKind::Error;
        lines.Append(shown, kind);
    }
}

} // namespace

void ScreenshotSession::ProgramDevice()
{
    shell_->SeqWin1()->setCurrentIndex(0);
    for (const zav::SequenceOption option :
         {zav::SequenceOption::Erase, zav::SequenceOption::Program, zav::SequenceOption::Verify}) {
        shell_->OptionButton(option)->click();
    }
    grabber_.ExpectModal(
        QStringLiteral("config_question"),
        [](QWidget& window) {
            if (auto* box = qobject_cast<QMessageBox*>(&window); box != nullptr && box->button(QMessageBox::Yes))
                box->button(QMessageBox::Yes)->click();
            else
                ClickButton(window, QStringLiteral("Yes"));
        },
        kSequenceTimeoutMs);
    QPushButton* start = shell_->StartButton(zav::SequenceKind::Program);
    start->click();
    if (!WindowGrabber::WaitUntil([start] { return !start->isChecked(); }, kSequenceTimeoutMs))
        grabber_.Fail(QStringLiteral("main_window: the program sequence did not end"));
    ShowHomeAsTilde(shell_->Status().Lines());
    mainWindowPicture_ = grabber_.Save(*shell_, QStringLiteral("main_window"));
}

// A verify after three cells of the buffer changed: the editor's marks and the list.
void ScreenshotSession::ShowVerifyDifferences()
{
    for (const zav::SequenceOption option : {zav::SequenceOption::Erase, zav::SequenceOption::Program})
        shell_->OptionButton(option)->click();
    zav::THexEdit& editor = shell_->HexEditor();
    zav::MemoryBuffer& buffer = editor.Buffer();
    buffer.SetByte(kEepromStart + 0x05, 0x00);
    buffer.SetByte(kEepromStart + 0x13, 0xA5);
    buffer.SetByte(kEepromStart + 0x14, 0x5A);
    QPushButton* start = shell_->StartButton(zav::SequenceKind::Program);
    start->click();
    if (!WindowGrabber::WaitUntil([start] { return !start->isChecked(); }, kSequenceTimeoutMs))
        grabber_.Fail(QStringLiteral("verify_marks: the verify did not end"));
    WindowGrabber::Settle();
    editor.ShowAddressAtTop(kEepromStart);
    editor.SelectAddress(kEepromStart + 0x13);
    grabber_.Save(editor, QStringLiteral("verify_marks"));
    shell_->Safety().VerifyDifferencesExecute();
    WindowGrabber::Settle();
    grabber_.Save(*shell_->Safety().VerifyDifferencesWindow(), QStringLiteral("verify_differences"));
    shell_->Safety().VerifyDifferencesWindow()->close();
}

// The buffer compared with a binary copy of its cells up to the serial number, whose last two
// digits differ.
void ScreenshotSession::CompareWithFile()
{
    const zav::MemoryBuffer& buffer = shell_->HexEditor().Buffer();
    constexpr std::int32_t kSerialEnd = kEepromStart + 10;
    QByteArray image;
    for (std::int32_t address = 0; address < kSerialEnd; ++address)
        image.append(static_cast<char>(buffer.GetByte(address)));
    image[kSerialEnd - 2] = '9';
    image[kSerialEnd - 1] = '9';
    const QString path = QDir(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"))).filePath(QStringLiteral("serial.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        grabber_.Fail(QStringLiteral("compare_differences: cannot write the file to compare"));
        return;
    }
    file.close();
    shell_->Compare().SetCompareChooser([path](QWidget*) { return zav::ChosenFile{path}; });
    shell_->Compare().CompareWithFileExecute();
    WindowGrabber::Settle();
    grabber_.Save(*shell_->Safety().VerifyDifferencesWindow(), QStringLiteral("compare_differences"));
    shell_->Safety().VerifyDifferencesWindow()->close();
}

void ScreenshotSession::ComposeReadmePicture()
{
    if (mainWindowPicture_.isNull() || hexEditorPicture_.isNull()) return;
    const QPixmap& main = mainWindowPicture_;
    const QPixmap& editor = hexEditorPicture_;
    const qreal ratio = main.devicePixelRatio();
    const QSizeF mainSize = main.deviceIndependentSize();
    const QSizeF editorSize = editor.deviceIndependentSize();
    const QPointF mainAt(24, 24);
    // The editor cascades below the main window, covering only its bottom row.
    const QPointF editorAt(mainAt.x() + mainSize.width() * 0.3, mainAt.y() + mainSize.height() - 28);
    const QSizeF canvas(std::max(mainAt.x() + mainSize.width(), editorAt.x() + editorSize.width()) + 24,
                        std::max(mainAt.y() + mainSize.height(), editorAt.y() + editorSize.height()) + 24);

    QPixmap picture((canvas * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    QLinearGradient desktop(0, 0, 0, canvas.height());
    desktop.setColorAt(0, QColor(0x5b, 0x7d, 0x9c));
    desktop.setColorAt(1, QColor(0x2f, 0x47, 0x5e));
    painter.fillRect(QRectF(QPointF(0, 0), canvas), desktop);
    for (const auto& [at, window] : {std::pair{mainAt, &main}, std::pair{editorAt, &editor}}) {
        painter.fillRect(QRectF(at + QPointF(4, 6), window->deviceIndependentSize()), QColor(0, 0, 0, 70));
        painter.drawPixmap(at, *window);
    }
    painter.end();
    grabber_.SavePicture(picture, QStringLiteral("readme"));
}
