#pragma once

#include <QDialog>

#include "widgets/radio_group.h"

namespace zav {

class MemoryBuffer;

// "Swap": reverses the bits of every byte, or the bytes of every word or double word, of
// the whole buffer as one undo step. The unit chosen last stays chosen.
class TForm4 : public QDialog {
    Q_OBJECT

public:
    explicit TForm4(MemoryBuffer& buffer, QWidget* parent = nullptr);

private:
    void Button1Click();

    MemoryBuffer& buffer_;

    RadioGroup* RadioGroup1;
};

} // namespace zav
