#pragma once

#include <QWidget>

namespace zav {

class THexEdit;

// The description window: project and device names, notes, and the described cells with
// their colour, access, address, live value and comment.
class TExplaine : public QWidget {
    Q_OBJECT

public:
    TExplaine(THexEdit& editor, QWidget* parent);

    // The buffer's values changed: the value, colour and access columns follow.
    void RefreshCells();
    // Names, notes or rows changed in the description (a file was loaded, a device chosen).
    void RefreshDescription();

signals:
    // The main window's ExplaineOpen and ExplaineClose: the window was shown or closed.
    void ExplaineOpen();
    void ExplaineClose();

private:
    THexEdit& editor_;
};

} // namespace zav
