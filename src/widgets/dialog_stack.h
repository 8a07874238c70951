#pragma once

#include <QDialog>
#include <QLayout>
#include <QVBoxLayout>
#include <QWidget>

#include <initializer_list>

namespace zav {

// One row of a dialog laid out by StackDialog: a widget, a layout, or a gap in pixels.
class DialogRow {
public:
    DialogRow(QWidget* widget) : widget_(widget) {}
    DialogRow(QLayout* layout) : layout_(layout) {}
    static DialogRow Gap(int pixels) { return DialogRow(pixels); }

    void AddTo(QVBoxLayout& layout) const;

private:
    explicit DialogRow(int gap) : gap_(gap) {}

    QWidget* widget_ = nullptr;
    QLayout* layout_ = nullptr;
    int gap_ = 0;
};

// Lays `dialog` out as `rows` from top to bottom, the dialog fixed at the size they need:
// these dialogs hold fields of a set length, so a larger window would only show empty space.
// The dialog is at least as wide as its caption (set before) needs in the title bar.
QVBoxLayout* StackDialog(QDialog& dialog, std::initializer_list<DialogRow> rows);

} // namespace zav
