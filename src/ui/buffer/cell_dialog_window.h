#pragma once

#include <QDialog>

#include "operations/cell_dialog.h"

class QComboBox;

namespace zav {

class PaletteComboBox;
class TExplaine;
class THexEdit;

// The modal "Edit Cell" dialog over the description window's current row.
class TForm8 : public QDialog {
    Q_OBJECT

public:
    TForm8(THexEdit& editor, TExplaine& description);

    // Shows the dialog modally for a row; true when it was confirmed.
    bool Edit(int row);

private:
    void ShowModelFields();
    void ShowCellFields();
    void ComboBox3Change(const QString& text);
    void Button1Click();

    THexEdit& editor_;
    TExplaine& description_;
    CellDialog model_;
    int row_ = 0;
    QComboBox* address_ = nullptr;
    QComboBox* value_ = nullptr;
    PaletteComboBox* colour_ = nullptr;
    QComboBox* access_ = nullptr;
    QComboBox* comment_ = nullptr;
};

} // namespace zav
