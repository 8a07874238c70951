#pragma once

#include <QString>

#include <array>
#include <initializer_list>
#include <utility>

#include "devices/sequence_option.h"
#include "sequences/sequence_host.h"

class QPushButton;
class QTabWidget;
class QWidget;

namespace zav {

// The main window's Program and Read Sequence pages: each option a toggle under a caption
// saying what it switches, each page's Start button turning into Stop while down. Only the
// controls; what their clicks do is the sequence commands'.
class SequencePages {
public:
    // Built in the window's tab order: the tabs, the toggles, the Start buttons.
    explicit SequencePages(QWidget& window);

    [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
    [[nodiscard]] QPushButton* StartButton(SequenceKind kind) const
    {
        return kind == SequenceKind::Read ? readStart_ : programStart_;
    }
    [[nodiscard]] QPushButton* OptionButton(SequenceOption option) const
    {
        return options_[static_cast<std::size_t>(option)];
    }
    // Indexed by SequenceOption.
    [[nodiscard]] const std::array<QPushButton*, 6>& OptionButtons() const { return options_; }
    // The Start button of the page in view.
    [[nodiscard]] QPushButton* VisibleStartButton() const;

private:
    using CaptionedToggles = std::initializer_list<std::pair<const char*, QPushButton*>>;

    void CreateOptionToggles(QWidget& window);
    void CreateStartButtons(QWidget& window);
    [[nodiscard]] QWidget* CreatePage(const char* objectName, const QString& hint, CaptionedToggles toggles,
                                      QPushButton* start);

    QTabWidget* tabs_;
    std::array<QPushButton*, 6> options_{};
    QPushButton* programStart_ = nullptr;
    QPushButton* readStart_ = nullptr;
};

} // namespace zav
