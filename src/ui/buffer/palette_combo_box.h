#pragma once

#include <QComboBox>

namespace zav {

// A drop-down of the 64 palette colours. Each item carries its index as text but shows only
// a swatch of its colour, outlined in the window background colour, in the list and in the
// closed box alike.
class PaletteComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PaletteComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zav
