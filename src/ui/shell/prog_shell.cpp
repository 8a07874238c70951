#include "ui/shell/prog_shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include "buffer/memory_buffer.h"
#include "messages/application_title.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "devices/apply_device_selection.h"
#include "devices/device_catalogue.h"
#include "ui/devices/dev_id_form.h"
#include "ui/files/load_file_form.h"
#include "ui/files/save_file_form.h"
#include "ui/sequences/gui_sequence_host.h"
#include "ui/sequences/sequence_runner.h"
#include "shell/settings_file.h"
#include "ui/shell/about_w.h"
#include "ui/shell/document_windows.h"
#include "ui/shell/hex_editor_options_window.h"
#include "ui/shell/lpt_set.h"
#include "ui/shell/open_user_manual.h"
#include "ui/shell/screen_placement.h"
#include "ui/shell/status_win.h"
#include "widgets/guarded_command.h"
#include "widgets/latin1_text.h"
#include "widgets/menu_keys.h"

namespace zav {

TProgShell::TProgShell(ShellServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("ProgShell"));
    setWindowTitle(FromLatin1(kApplicationTitle));

    hexEdit_ = new THexEdit(services_.boxes, this);
    // The editor's panes use fixed-pitch fonts named as the settings keep them.
    hexEdit_->ApplyEditorOptions(flow_.Settings().editor);

    CreateActions();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    layout->addWidget(CreateDeviceRow());
    layout->addWidget(CreateSequencePages());
    statusWin_ = new StatusWin(central);
    layout->addWidget(statusWin_, 1);
    layout->addWidget(CreateBottomRow());
    setCentralWidget(central);
    CreateMenus();
    CreateToolBar();

    SequenceWidgets widgets{*statusWin_, services_.boxes, flow_, hexEdit_->Buffer()};
    widgets.progress = progBar_;
    widgets.readStart = readStartButton_;
    widgets.programStart = programStartButton_;
    widgets.verifyDifferences = [this](const std::vector<CellDifference>& differences) {
        hexEdit_->SetVerifyDifferences(differences);
    };
    for (std::size_t option = 0; option < optionButtons_.size(); ++option) {
        widgets.options[option] = optionButtons_[option];
    }
    sequenceHost_ = new GuiSequenceHost(widgets, this);
    sequences_ = std::make_unique<SequenceRunner>(*sequenceHost_, services_.links, services_.isSimulated, this);
    CreateExtras();
    // Every menu item gets its underlined letter once all menus hold their items.
    GiveMenuBarMnemonics(*menuBar());
    // A close that waited for the sequences goes on once they have ended.
    connect(sequences_.get(), &SequenceRunner::Idle, this, [this] {
        if (closeAfterStop_) close();
    });

    const WindowBounds& bounds = flow_.Settings().mainWindow;
    move(bounds.left, bounds.top);
    resize(bounds.width, bounds.height);
    statusWin_->setFocus();
}

TProgShell::~TProgShell() = default;

QPushButton* TProgShell::StartButton(SequenceKind kind) const
{
    return kind == SequenceKind::Read ? readStartButton_ : programStartButton_;
}

QPushButton* TProgShell::OptionButton(SequenceOption option) const
{
    return optionButtons_[static_cast<std::size_t>(option)];
}

void TProgShell::AddStatusMessage(const std::string& text, StatusKind kind)
{
    statusWin_->AddStatusMessage(text, kind);
}

std::filesystem::path TProgShell::SettingsFilePath() const
{
    return services_.settingsDirectory / kSettingsFileName;
}

void TProgShell::LoadSettings()
{
    AppSettings& settings = flow_.Settings();
    settings.editor = hexEdit_->GetEditorOptions();
    const SettingsFileReport report = ReadSettingsFile(SettingsFilePath(), settings);
    // The file may come from a desktop with another monitor, or be damaged: every window
    // goes onto a screen present, title bar reachable.
    const std::vector<ScreenRect> screens = AvailableScreens();
    settings.mainWindow = FitWindowOnScreens(settings.mainWindow, StoredCorner::Frame, FrameMarginsOf(*this), screens);
    move(settings.mainWindow.left, settings.mainWindow.top);
    resize(settings.mainWindow.width, settings.mainWindow.height);
    WindowLayout& layout = settings.layout;
    // Windows never placed (a first start) go beside the main window, not over it.
    const WindowLayout defaults;
    const bool editorNeverPlaced = layout.editor == defaults.editor;
    const bool descriptionNeverPlaced = layout.description == defaults.description;
    layout.editor = FitWindowOnScreens(layout.editor, StoredCorner::Client, FrameMarginsOf(*hexEdit_), screens);
    // Neither editor window has been shown yet: the description window's frame is the
    // editor's, and asking for it would build a window nobody may open.
    layout.description =
        FitWindowOnScreens(layout.description, StoredCorner::Client, FrameMarginsOf(*hexEdit_), screens);
    hexEdit_->SetWindowLayout(layout);
    if (editorNeverPlaced) {
        const WindowBounds& main = settings.mainWindow;
        const FrameMargins frame = FrameMarginsOf(*this);
        PlaceBeside(*hexEdit_, {main.left, main.top, main.width + frame.left + frame.right,
                                main.height + frame.top + frame.bottom});
    }
    if (descriptionNeverPlaced) {
        // Placed by its stored bounds, with the editor's frame as its own, like its fit above:
        // the window itself is built only when first asked for.
        const QRect editor = hexEdit_->geometry();
        layout.editor = {editor.x(), editor.y(), editor.height(), editor.width()};
        const FrameMargins frame = FrameMarginsOf(*hexEdit_);
        WindowBounds& description = layout.description;
        const ScreenPoint corner = FramePositionBeside(
            FrameAround(*hexEdit_, layout.editor), description.width + frame.left + frame.right,
            description.height + frame.top + frame.bottom, screens);
        description.left = corner.left + frame.left;
        description.top = corner.top + frame.top;
        hexEdit_->SetWindowLayout(layout);
    }
    hexEdit_->ApplyEditorOptions(settings.editor);
    FillRecentFilesMenu();
    for (const std::string& warning : report.warnings) AddStatusMessage(warning, StatusKind::Warning);
    // The box comes only now: a box over this window before it is placed would create the
    // window, and a window system then takes the later move as the inner position.
    if (report.error) services_.boxes.ShowError(*report.error);
}

bool TProgShell::event(QEvent* event)
{
    // HelpHintHint: the hint of whatever the pointer rests on goes to the hint bar.
    if (event->type() == QEvent::StatusTip) {
        helpHint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TProgShell::SetOptionEnabled(SequenceOption option, bool enabled)
{
    OptionButton(option)->setEnabled(enabled);
}

void TProgShell::ShowAddressAtTop(std::int32_t address)
{
    hexEdit_->ShowAddressAtTop(address);
}

void TProgShell::DeviceIDButtonClick()
{
    if (!flow_.Allows(PortCommand::DeviceId)) return;
    if (devIdForm_ == nullptr) devIdForm_ = new TDevIdForm(this);
    CentreOnDesktop(*devIdForm_);
    if (devIdForm_->exec() != QDialog::Accepted) return;
    if (const auto device = devIdForm_->SelectedDevice()) DeviceIDValueChange(*device);
}

void TProgShell::DeviceIDValueChange(const std::string& name)
{
    if (!flow_.ChangeDevice(name)) return;
    deviceIdValue_->setText(FromLatin1(name));
    ApplyDeviceSelection(name, hexEdit_->Buffer(), *this);
    // The last verify's findings were about another part.
    hexEdit_->SetVerifyDifferences({});
    hexEdit_->SetChecksumDevice(name);
}

void TProgShell::ReadStartButtonClick(bool down)
{
    StartButtonClick(SequenceKind::Read, down);
}

void TProgShell::ProgramStartButtonClick(bool down)
{
    StartButtonClick(SequenceKind::Program, down);
}

void TProgShell::StartButtonClick(SequenceKind kind, bool down)
{
    const StartButtonPlan plan =
        kind == SequenceKind::Read ? flow_.ReadStartButtonClick(down) : flow_.ProgramStartButtonClick(down);
    if (plan.putButtonUp) StartButton(kind)->setChecked(false);
    if (plan.start) {
        if (kind == SequenceKind::Program) ApplyBackupSetting();
        sequences_->Start(kind);
    } else {
        emit SequenceStopRequested();
        sequences_->Stop(kind);
    }
}

void TProgShell::EditOpenFileExecute()
{
    OpenFile();
}

void TProgShell::EditSaveFileExecute()
{
    flow_.SaveDialogClosed(SaveFile());
}

void TProgShell::EditPrintExecute()
{
    if (!flow_.Allows(PortCommand::Print)) return;
    PrintBuffer();
}

bool TProgShell::SettleUnsavedWork()
{
    return flow_.SettleUnsavedWork(hexEdit_->IsUndoEmpty(), services_.boxes, [this] { return SaveFile(); });
}

void TProgShell::OpenFile()
{
    if (!SettleUnsavedWork()) return;
    if (loadf_ == nullptr) {
        loadf_ = new TLoadf(hexEdit_->Buffer(), flow_.Settings().program, *statusWin_, services_.boxes, this);
    }
    loadf_->exec();
    FillRecentFilesMenu();
}

bool TProgShell::SaveFile()
{
    if (savef_ == nullptr) savef_ = new TSavef(hexEdit_->Buffer(), *statusWin_, services_.boxes, this);
    return savef_->exec() == QDialog::Accepted;
}

void TProgShell::PrintBuffer()
{
    if (!printd_) {
        std::string failure;
        DocumentWindows* windows = LoadDocumentWindows(failure);
        if (windows == nullptr) {
            services_.boxes.ShowError("Printing is not available: " + failure);
            return;
        }
        printd_ = windows->MakePrintDialog(hexEdit_->Buffer(), *statusWin_, *progBar_, services_.boxes, this);
    }
    printd_->exec();
}

void TProgShell::ToolEditorExecute()
{
    const bool shownForDialog = !hexEdit_->isVisible();
    if (shownForDialog) hexEdit_->show();
    if (hoptions_ == nullptr) hoptions_ = new THoptions(*hexEdit_, this);
    CentreOnDesktop(*hoptions_);
    hoptions_->exec();
    if (shownForDialog) hexEdit_->close();
}

void TProgShell::ToolLPTExecute()
{
    if (!flow_.Allows(PortCommand::PortsOptions)) return;
    if (lptSet_ == nullptr) lptSet_ = new TLptSet(flow_, services_.ports, this);
    lptSet_->exec();
}

void TProgShell::ShowEditorExecute()
{
    if (hexEdit_->isVisible()) {
        hexEdit_->close();
    } else {
        hexEdit_->show();
        hexEdit_->raise();
    }
    showEditor_->setChecked(hexEdit_->isVisible());
}

void TProgShell::HelpProgExecute()
{
    OpenUserManual(services_.boxes, services_.manualFolders, services_.openDocument, this);
}

void TProgShell::HelpAboutExecute()
{
    TAboutW about(this);
    CentreOnDesktop(about);
    about.exec();
}

void TProgShell::ResDefSetExecute()
{
    if (!flow_.ResetToDefault(services_.boxes, SettingsFilePath())) return;
    terminating_ = true;
    close();
}

void TProgShell::closeEvent(QCloseEvent* event)
{
    if (!terminating_ && !closeConfirmed_) {
        if (!SettleUnsavedWork()) {
            event->ignore();
            return;
        }
        closeConfirmed_ = true;
    }
    // A running sequence is stopped first; the window keeps painting meanwhile and closes
    // when the sequence has ended.
    if (sequences_->Running()) {
        closeAfterStop_ = true;
        emit SequenceStopRequested();
        sequences_->RequestStopAll();
        event->ignore();
        return;
    }
    closeAfterStop_ = false;
    FormClose();
    event->accept();
    // Reset to Default: a new instance starts from the defaults; this one ends with its
    // last window.
    if (terminating_ && services_.restartProgram) services_.restartProgram();
}

void TProgShell::FormClose()
{
    if (!flow_.SuppressSettingsSave()) {
        AppSettings& settings = flow_.Settings();
        settings.mainWindow = {x(), y(), height(), width()};
        settings.layout = hexEdit_->GetWindowLayout();
        settings.editor = hexEdit_->GetEditorOptions();
        std::string failure;
        // Told once; the close goes on and the old file stays as it was.
        if (!SaveSettingsFile(SettingsFilePath(), settings, failure)) {
            services_.boxes.ShowOk(SettingsNotSavedText(SettingsFilePath(), failure), "Warning",
                                   BoxKind::Warning);
        }
    }
    hexEdit_->HideWithDescription();
}

} // namespace zav
