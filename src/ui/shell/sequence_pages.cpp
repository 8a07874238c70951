#include "ui/shell/sequence_pages.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "ui/shell/themed_icon.h"
#include "widgets/reader_name.h"
#include "widgets/toggle_button.h"

namespace zav {

namespace {

QPushButton* CreateToggle(QWidget& window, const QString& objectName, const QString& hint)
{
    auto* button = new ToggleButton(&window);
    button->setObjectName(objectName);
    button->setStatusTip(hint);
    button->setAccessibleDescription(hint);
    button->setFocusPolicy(Qt::TabFocus);
    button->setMinimumWidth(56);
    return button;
}

// A lamp beside ON or OFF, so a pressed option reads at a glance in any style.
void ShowAsLamp(QPushButton* button)
{
    button->setEnabled(false);
    button->setText(QStringLiteral("OFF"));
    button->setIcon(OwnIcon("zav-led-off.svg"));
    QObject::connect(button, &QPushButton::toggled, button, [button](bool down) {
        button->setText(down ? QStringLiteral("ON") : QStringLiteral("OFF"));
        button->setIcon(OwnIcon(down ? "zav-led-on.svg" : "zav-led-off.svg"));
    });
}

// Lock and Unlock: at most one is down, and both may be up.
void MakeExclusive(QPushButton* lock, QPushButton* unlock)
{
    QObject::connect(lock, &QPushButton::toggled, unlock, [unlock](bool down) {
        if (down) unlock->setChecked(false);
    });
    QObject::connect(unlock, &QPushButton::toggled, lock, [lock](bool down) {
        if (down) lock->setChecked(false);
    });
}

} // namespace

SequencePages::SequencePages(QWidget& window) : tabs_(new QTabWidget(&window))
{
    tabs_->setObjectName(QStringLiteral("SeqWin1"));
    tabs_->setDocumentMode(true);
    SetReaderName(*tabs_, QStringLiteral("Sequences"));
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    CreateOptionToggles(window);
    CreateStartButtons(window);

    programStart_->setAccessibleDescription(QStringLiteral("Start or stop the Program Sequence"));
    readStart_->setAccessibleDescription(QStringLiteral("Start or stop the Read Sequence"));
    tabs_->addTab(CreatePage("ProgSeq", QStringLiteral("Program Sequence"),
                             {{"Erase", OptionButton(SequenceOption::Erase)},
                              {"Program", OptionButton(SequenceOption::Program)},
                              {"Verify", OptionButton(SequenceOption::Verify)},
                              {"Lock", OptionButton(SequenceOption::Lock)},
                              {"Unlock", OptionButton(SequenceOption::Unlock)}},
                             programStart_),
                  QStringLiteral("Program Sequence"));
    tabs_->addTab(CreatePage("ReadSeq", QStringLiteral("Read Sequence"),
                             {{"Read", OptionButton(SequenceOption::Read)}}, readStart_),
                  QStringLiteral("Read Sequence"));
}

QPushButton* SequencePages::VisibleStartButton() const
{
    return tabs_->currentIndex() == 0 ? programStart_ : readStart_;
}

void SequencePages::CreateOptionToggles(QWidget& window)
{
    const QString eepromHint = QStringLiteral("EEPROM ON/OFF");
    const auto option = [this](SequenceOption which) -> QPushButton*& {
        return options_[static_cast<std::size_t>(which)];
    };
    option(SequenceOption::Erase) = CreateToggle(window, QStringLiteral("EraseEepromOn"), eepromHint);
    option(SequenceOption::Program) = CreateToggle(window, QStringLiteral("ProgramEepromOn"), eepromHint);
    option(SequenceOption::Verify) = CreateToggle(window, QStringLiteral("VerifyEepromOn"), eepromHint);
    option(SequenceOption::Lock) = CreateToggle(window, QStringLiteral("LockDeviceOn"), QString());
    option(SequenceOption::Unlock) = CreateToggle(window, QStringLiteral("UnlockDeviceOn"), QString());
    option(SequenceOption::Read) = CreateToggle(window, QStringLiteral("ReadEepromOn"), eepromHint);
    for (QPushButton* button : options_) ShowAsLamp(button);
    MakeExclusive(option(SequenceOption::Lock), option(SequenceOption::Unlock));
}

void SequencePages::CreateStartButtons(QWidget& window)
{
    programStart_ =
        CreateToggle(window, QStringLiteral("ProgramStartButton"), QStringLiteral("Start Sequence"));
    readStart_ = CreateToggle(window, QStringLiteral("ReadStartButton"), QStringLiteral("Start Sequence"));
    for (QPushButton* start : {programStart_, readStart_}) {
        start->setIcon(ThemedIcon("media-playback-start"));
        start->setText(QStringLiteral("Start"));
        start->setMinimumWidth(80);
        QObject::connect(start, &QPushButton::toggled, start, [start](bool down) {
            start->setIcon(ThemedIcon(down ? "media-playback-stop" : "media-playback-start"));
            start->setText(down ? QStringLiteral("Stop") : QStringLiteral("Start"));
        });
    }
}

QWidget* SequencePages::CreatePage(const char* objectName, const QString& hint, CaptionedToggles toggles,
                                   QPushButton* start)
{
    auto* page = new QWidget(tabs_);
    page->setObjectName(QString::fromLatin1(objectName));
    page->setStatusTip(hint);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(1);
    int column = 0;
    for (const auto& [label, toggle] : toggles) {
        // A variable of its own for the lambda below: clang 14 cannot capture a structured binding.
        QPushButton* button = toggle;
        auto* caption = new QLabel(QString::fromLatin1(label), page);
        caption->setAlignment(Qt::AlignHCenter);
        caption->setBuddy(button);
        // Read as "Erase: off": the caption says what the toggle switches, its text only ON or OFF.
        const auto speak = [button, caption](bool down) {
            button->setAccessibleName(caption->text() +
                                      (down ? QStringLiteral(": on") : QStringLiteral(": off")));
        };
        speak(button->isChecked());
        QObject::connect(button, &QPushButton::toggled, button, speak);
        grid->addWidget(caption, 0, column);
        grid->addWidget(button, 1, column++);
    }
    grid->setColumnStretch(column++, 1);
    grid->addWidget(start, 1, column);
    return page;
}

} // namespace zav
