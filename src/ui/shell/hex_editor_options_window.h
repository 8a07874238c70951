#pragma once

#include <QDialog>

#include <array>

#include "shell/hex_editor_options.h"

class QComboBox;
class QPushButton;

namespace zav {

class PaletteComboBox;
class THexEdit;

// The modal "Hex Editor Options" dialog: the editor's two fonts and five colours. Apply and
// OK take effect in the editor at once; Cancel keeps what was applied before it.
class THoptions : public QDialog {
    Q_OBJECT

public:
    THoptions(THexEdit& editor, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void SelectionChanged();
    void ApplyToEditor();
    void Button1Click();
    void Button3Click();

    THexEdit& editor_;
    HexEditorOptionsModel model_;
    QComboBox* leftFont_ = nullptr;
    QComboBox* rightFont_ = nullptr;
    std::array<PaletteComboBox*, kOptionsColourCount> colours_{};
    QPushButton* apply_ = nullptr;
};

} // namespace zav
