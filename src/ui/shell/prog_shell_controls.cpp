// The main window's controls, menus and tool bar, as the constructor builds them.
#include "ui/shell/prog_shell.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "devices/device_catalogue.h"
#include "ui/shell/themed_icon.h"
#include "widgets/guarded_command.h"
#include "widgets/latin1_text.h"
#include "widgets/reader_name.h"
#include "widgets/toggle_button.h"

namespace zav {

namespace {

constexpr int kProgBarWidth = 165;


} // namespace

QAction* TProgShell::CreateAction(const char* objectName, const QString& caption, const char* icon,
                                  const QString& hint)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (icon != nullptr) action->setIcon(ThemedIcon(icon));
    action->setStatusTip(hint);
    action->setToolTip(caption);
    return action;
}

void TProgShell::ConnectCommand(QAction* action, void (TProgShell::*handler)())
{
    connect(action, &QAction::triggered, this, Guarded(this, [this, handler] { (this->*handler)(); }));
}

void TProgShell::CreateActions()
{
    editOpenFile_ = CreateAction("EditOpenFile", QStringLiteral("Open"), "document-open",
                                 QStringLiteral("Open an Existing File"));
    editOpenFile_->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(QStringLiteral("Ctrl+O"))});
    editSaveFile_ = CreateAction("EditSaveFile", QStringLiteral("Save"), "document-save",
                                 QStringLiteral("Save Current File"));
    editSaveFile_->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(QStringLiteral("Ctrl+S"))});
    editPrint_ = CreateAction("EditPrint", QStringLiteral("Print"), "document-print",
                              QStringLiteral("Print memory dump"));
    editPrint_->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    editExit_ = CreateAction("EditExit", QStringLiteral("Exit"), "application-exit", QStringLiteral("Exit program"));
    editExit_->setShortcuts({QKeySequence(QStringLiteral("Alt+X")), QKeySequence(QStringLiteral("Ctrl+Q"))});
    toolEditor_ = CreateAction("ToolEditor", QStringLiteral("Hex Editor Options ..."), "preferences-system",
                               QStringLiteral("Change Hexadecimal Editor Settings"));
    toolLpt_ = CreateAction("ToolLPT", QStringLiteral("Ports Options ..."), "network-wired",
                            QStringLiteral("Change LPT Port Settings"));
    resDefSet_ = CreateAction("ResDefSet", QStringLiteral("Reset to Default"), "edit-clear", QString());
    showEditor_ = CreateAction("ShowEditor", QStringLiteral("Hex Editor"), "accessories-text-editor",
                               QStringLiteral("Hexadecimal Editor window Show/Close"));
    showEditor_->setCheckable(true);
    showEditor_->setShortcut(QKeySequence(QStringLiteral("Alt+E")));
    // The same key closes the editor from within: the editor is a window of its own, where
    // the main window's keys do not reach.
    hexEdit_->addAction(showEditor_);
    helpProg_ = CreateAction("HelpProg", QStringLiteral("User Manual"), "help-contents",
                             QStringLiteral("Open Help File"));
    helpProg_->setShortcut(QKeySequence(Qt::Key_F1));
    helpAbout_ = CreateAction("HelpAbout", QStringLiteral("About ..."), "help-about", QString());

    ConnectCommand(editOpenFile_, &TProgShell::EditOpenFileExecute);
    ConnectCommand(editSaveFile_, &TProgShell::EditSaveFileExecute);
    ConnectCommand(editPrint_, &TProgShell::EditPrintExecute);
    connect(editExit_, &QAction::triggered, this, Guarded(this, [this] { close(); }));
    ConnectCommand(toolEditor_, &TProgShell::ToolEditorExecute);
    ConnectCommand(toolLpt_, &TProgShell::ToolLPTExecute);
    ConnectCommand(resDefSet_, &TProgShell::ResDefSetExecute);
    ConnectCommand(showEditor_, &TProgShell::ShowEditorExecute);
    ConnectCommand(helpProg_, &TProgShell::HelpProgExecute);
    ConnectCommand(helpAbout_, &TProgShell::HelpAboutExecute);
    CreateSafetyActions();

    // HexEditOpen/HexEditClose and ExplaineOpen/ExplaineClose: the tool buttons and menu
    // items follow the windows however they were shown or closed.
    connect(hexEdit_, &THexEdit::HexEditOpen, this, [this] { showEditor_->setChecked(true); });
    connect(hexEdit_, &THexEdit::HexEditClose, this, [this] { showEditor_->setChecked(false); });
    QAction* property = hexEdit_->Action(EditorAction::Property);
    property->setCheckable(true);
    connect(hexEdit_, &THexEdit::DescriptionOpen, this, [property] { property->setChecked(true); });
    connect(hexEdit_, &THexEdit::DescriptionClose, this, [property] { property->setChecked(false); });
}

void TProgShell::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(editOpenFile_);
    file->addAction(editSaveFile_);
    file->addAction(restoreBackup_);
    file->addSeparator();
    file->addAction(editPrint_);
    file->addSeparator();
    file->addAction(editExit_);

    // Alt+E belongs to the hex editor, so the Edit menu opens with Alt+D.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("E&dit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    const auto editorAction = [this](EditorAction action) { return hexEdit_->Action(action); };
    edit->addAction(editorAction(EditorAction::Undo));
    edit->addSeparator();
    edit->addAction(editorAction(EditorAction::Copy));
    edit->addAction(editorAction(EditorAction::Paste));
    edit->addAction(editorAction(EditorAction::SelectAll));
    edit->addSeparator();
    edit->addAction(editorAction(EditorAction::Find));
    edit->addAction(editorAction(EditorAction::SearchAgain));
    edit->addSeparator();
    edit->addAction(editorAction(EditorAction::GoToAddr));
    edit->addAction(editorAction(EditorAction::CopyAs));
    edit->addAction(editorAction(EditorAction::Fill));
    edit->addAction(editorAction(EditorAction::Swap));
    edit->addSeparator();
    edit->addAction(hexEdit_->NextDifferenceAction());
    edit->addAction(hexEdit_->PreviousDifferenceAction());

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->addAction(toolEditor_);
    tools->addAction(toolLpt_);
    tools->addAction(blankCheck_);
    tools->addSeparator();
    tools->addAction(resDefSet_);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("WindowMenu"));
    window->addAction(showEditor_);
    QAction* description = window->addAction(QStringLiteral("Description"));
    description->setObjectName(QStringLiteral("WindowDescription"));
    QAction* property = editorAction(EditorAction::Property);
    description->setCheckable(true);
    description->setStatusTip(property->statusTip());
    connect(property, &QAction::changed, description, [description, property] {
        description->setChecked(property->isChecked());
        description->setEnabled(property->isEnabled());
    });
    connect(description, &QAction::triggered, property, [property] { property->trigger(); });
    window->addAction(showVerifyDifferences_);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(helpProg_);
    help->addSeparator();
    help->addAction(helpAbout_);
}

void TProgShell::CreateToolBar()
{
    // The editor's tool-bar commands carry the desktop's icons, or ours where it has none.
    const std::pair<EditorAction, const char*> icons[] = {
        {EditorAction::Property, "document-properties"}, {EditorAction::Copy, "edit-copy"},
        {EditorAction::Paste, "edit-paste"},             {EditorAction::Find, "edit-find"},
        {EditorAction::CopyAs, "document-export"},       {EditorAction::Fill, "color-fill"},
        {EditorAction::Undo, "edit-undo"},               {EditorAction::Swap, "object-flip-horizontal"},
    };
    for (const auto& [action, icon] : icons) {
        if (hexEdit_->Action(action)->icon().isNull()) hexEdit_->Action(action)->setIcon(ThemedIcon(icon));
    }
    // The desktops' "go-jump" is a bent arrow that reads as Redo beside Undo; ours points
    // at a row of the dump.
    QAction* goTo = hexEdit_->Action(EditorAction::GoToAddr);
    if (goTo->icon().isNull()) goTo->setIcon(OwnIcon("zav-go-to-address.svg"));

    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->addAction(showEditor_);
    toolBar_->addAction(hexEdit_->Action(EditorAction::Property));
    toolBar_->addSeparator();
    toolBar_->addAction(editOpenFile_);
    toolBar_->addAction(editSaveFile_);
    toolBar_->addAction(editPrint_);
    toolBar_->addAction(helpProg_);
    toolBar_->addSeparator();
    for (EditorAction action : {EditorAction::Copy, EditorAction::Paste, EditorAction::Find, EditorAction::CopyAs,
                                EditorAction::Fill, EditorAction::Undo, EditorAction::Swap, EditorAction::GoToAddr}) {
        toolBar_->addAction(hexEdit_->Action(action));
    }
}

QWidget* TProgShell::CreateDeviceRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    deviceIdButton_ = new QToolButton(row);
    deviceIdButton_->setObjectName(QStringLiteral("DeviceIDButton"));
    deviceIdButton_->setIcon(ThemedIcon("drive-removable-media"));
    deviceIdButton_->setAutoRaise(true);
    deviceIdButton_->setToolTip(QStringLiteral("Select Device"));
    deviceIdButton_->setStatusTip(QStringLiteral("Device Auto Identification"));
    // Named as the manual calls it; it shows only an icon.
    deviceIdButton_->setAccessibleName(QStringLiteral("Device ID"));
    deviceIdButton_->setAccessibleDescription(QStringLiteral("Select Device: ") + deviceIdButton_->statusTip());
    connect(deviceIdButton_, &QToolButton::clicked, this, Guarded(this, [this] { DeviceIDButtonClick(); }));

    deviceIdValue_ = new QLineEdit(FromLatin1(NoDeviceName), row);
    deviceIdValue_->setObjectName(QStringLiteral("DeviceIDValue"));
    deviceIdValue_->setReadOnly(true);
    deviceIdValue_->setFocusPolicy(Qt::ClickFocus);
    deviceIdValue_->setStatusTip(QStringLiteral("Device ID/Mode of Operation"));
    deviceIdValue_->setAccessibleName(QStringLiteral("Device"));
    deviceIdValue_->setAccessibleDescription(deviceIdValue_->statusTip());
    layout->addWidget(deviceIdButton_);
    layout->addWidget(deviceIdValue_, 1);
    return row;
}

QPushButton* TProgShell::CreateToggle(const QString& objectName, const QString& hint)
{
    auto* button = new ToggleButton(this);
    button->setObjectName(objectName);
    button->setStatusTip(hint);
    button->setAccessibleDescription(hint);
    button->setFocusPolicy(Qt::TabFocus);
    button->setMinimumWidth(56);
    return button;
}

QWidget* TProgShell::CreateSequencePages()
{
    seqWin_ = new QTabWidget(this);
    seqWin_->setObjectName(QStringLiteral("SeqWin1"));
    seqWin_->setDocumentMode(true);
    SetReaderName(*seqWin_, QStringLiteral("Sequences"));
    seqWin_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    const QString eepromHint = QStringLiteral("EEPROM ON/OFF");
    const auto option = [this](SequenceOption which) -> QPushButton*& {
        return optionButtons_[static_cast<std::size_t>(which)];
    };
    option(SequenceOption::Erase) = CreateToggle(QStringLiteral("EraseEepromOn"), eepromHint);
    option(SequenceOption::Program) = CreateToggle(QStringLiteral("ProgramEepromOn"), eepromHint);
    option(SequenceOption::Verify) = CreateToggle(QStringLiteral("VerifyEepromOn"), eepromHint);
    option(SequenceOption::Lock) = CreateToggle(QStringLiteral("LockDeviceOn"), QString());
    option(SequenceOption::Unlock) = CreateToggle(QStringLiteral("UnlockDeviceOn"), QString());
    option(SequenceOption::Read) = CreateToggle(QStringLiteral("ReadEepromOn"), eepromHint);
    // A lamp beside ON or OFF, so a pressed option reads at a glance in any style.
    for (QPushButton* button : optionButtons_) {
        button->setEnabled(false);
        button->setText(QStringLiteral("OFF"));
        button->setIcon(OwnIcon("zav-led-off.svg"));
        connect(button, &QPushButton::toggled, button, [button](bool down) {
            button->setText(down ? QStringLiteral("ON") : QStringLiteral("OFF"));
            button->setIcon(OwnIcon(down ? "zav-led-on.svg" : "zav-led-off.svg"));
        });
    }
    // Lock and Unlock: at most one is down, and both may be up.
    QPushButton* lock = option(SequenceOption::Lock);
    QPushButton* unlock = option(SequenceOption::Unlock);
    connect(lock, &QPushButton::toggled, unlock, [unlock](bool down) {
        if (down) unlock->setChecked(false);
    });
    connect(unlock, &QPushButton::toggled, lock, [lock](bool down) {
        if (down) lock->setChecked(false);
    });

    programStartButton_ = CreateToggle(QStringLiteral("ProgramStartButton"), QStringLiteral("Start Sequence"));
    readStartButton_ = CreateToggle(QStringLiteral("ReadStartButton"), QStringLiteral("Start Sequence"));
    for (QPushButton* start : {programStartButton_, readStartButton_}) {
        start->setIcon(ThemedIcon("media-playback-start"));
        start->setText(QStringLiteral("Start"));
        start->setMinimumWidth(80);
        connect(start, &QPushButton::toggled, start, [start](bool down) {
            start->setIcon(ThemedIcon(down ? "media-playback-stop" : "media-playback-start"));
            start->setText(down ? QStringLiteral("Stop") : QStringLiteral("Start"));
        });
    }
    connect(programStartButton_, &QPushButton::clicked, this,
            Guarded(this, [this](bool down) { ProgramStartButtonClick(down); }));
    connect(readStartButton_, &QPushButton::clicked, this,
            Guarded(this, [this](bool down) { ReadStartButtonClick(down); }));

    const auto page = [this](const char* objectName, const QString& hint,
                             std::initializer_list<std::pair<const char*, QPushButton*>> toggles, QPushButton* start) {
        auto* widget = new QWidget(seqWin_);
        widget->setObjectName(QString::fromLatin1(objectName));
        widget->setStatusTip(hint);
        auto* grid = new QGridLayout(widget);
        grid->setContentsMargins(6, 4, 6, 4);
        grid->setVerticalSpacing(1);
        int column = 0;
        for (const auto& [label, button] : toggles) {
            auto* caption = new QLabel(QString::fromLatin1(label), widget);
            caption->setAlignment(Qt::AlignHCenter);
            caption->setBuddy(button);
            // Read as "Erase: off": the caption says what the toggle switches, its text only ON or OFF.
            const auto speak = [button, caption](bool down) {
                button->setAccessibleName(caption->text() + (down ? QStringLiteral(": on") : QStringLiteral(": off")));
            };
            speak(button->isChecked());
            connect(button, &QPushButton::toggled, button, speak);
            grid->addWidget(caption, 0, column);
            grid->addWidget(button, 1, column++);
        }
        grid->setColumnStretch(column++, 1);
        grid->addWidget(start, 1, column);
        return widget;
    };
    programStartButton_->setAccessibleDescription(QStringLiteral("Start or stop the Program Sequence"));
    readStartButton_->setAccessibleDescription(QStringLiteral("Start or stop the Read Sequence"));
    seqWin_->addTab(page("ProgSeq", QStringLiteral("Program Sequence"),
                         {{"Erase", option(SequenceOption::Erase)},
                          {"Program", option(SequenceOption::Program)},
                          {"Verify", option(SequenceOption::Verify)},
                          {"Lock", lock},
                          {"Unlock", unlock}},
                         programStartButton_),
                    QStringLiteral("Program Sequence"));
    seqWin_->addTab(page("ReadSeq", QStringLiteral("Read Sequence"), {{"Read", option(SequenceOption::Read)}},
                         readStartButton_),
                    QStringLiteral("Read Sequence"));
    return seqWin_;
}

QWidget* TProgShell::CreateBottomRow()
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    helpHint_ = new QLabel(splitter);
    helpHint_->setObjectName(QStringLiteral("HelpHint"));
    helpHint_->setFrameShape(QFrame::StyledPanel);
    helpHint_->setFrameShadow(QFrame::Sunken);
    helpHint_->setStatusTip(QStringLiteral("Hint Bar"));
    helpHint_->setAccessibleDescription(helpHint_->statusTip());
    progBar_ = new QProgressBar(splitter);
    progBar_->setObjectName(QStringLiteral("ProgBar"));
    progBar_->setRange(0, 100);
    progBar_->setValue(0);
    progBar_->setTextVisible(false);
    progBar_->setStatusTip(QStringLiteral("Progress Indicator Bar"));
    progBar_->setAccessibleName(QStringLiteral("Progress"));
    progBar_->setAccessibleDescription(progBar_->statusTip());
    progBar_->setMaximumHeight(helpHint_->sizeHint().height());
    splitter->addWidget(helpHint_);
    splitter->addWidget(progBar_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({400, kProgBarWidth});
    return splitter;
}

} // namespace zav
