#pragma once

#include <QPushButton>

namespace zav {

// A push button that stays down until pressed again, whose command runs on its click. For a
// screen reader it is a toggle whose activate clicks it, as Space does: Qt's own toggle
// action only flips such a button, which would show a Start button down with nothing started.
class ToggleButton : public QPushButton {
    Q_OBJECT

public:
    explicit ToggleButton(QWidget* parent = nullptr);
};

} // namespace zav
