#pragma once

#include <QString>

class QWidget;

namespace zav {

// Names a control for a screen reader, with a description where its name does not say what
// it is for. An editable combo box hands the name on to its text field, which a reader
// reaches as a control of its own.
void SetReaderName(QWidget& control, const QString& name, const QString& description = {});

// The name a caption gives the field it labels: without the mnemonic's "&" and a closing ":".
[[nodiscard]] QString ReaderNameOfCaption(QString caption);

} // namespace zav
