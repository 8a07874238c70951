#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "files/save_file_dialog.h"
#include "ui/files/buffer_file_chooser.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class StatusSink;

// "Save File From Buffer": the target file, its format, the range and whether unimplemented
// cells are written. It is accepted only when a file was written, so the main window knows
// whether the buffer is saved.
class TSavef : public QDialog {
    Q_OBJECT

public:
    TSavef(MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Browse asks the system's "Save File" dialog unless a test replaced it.
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    void ComboBox1Change();
    void CheckBox1Click();
    void Button2Click();
    void StoreFields();
    void ShowModel();

    MemoryBuffer& buffer_;
    StatusSink& status_;
    MessageBoxes& boxes_;
    SaveFileDialog model_;
    FileChooser chooser_ = ChooseBufferFileToSave;

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QLabel* Label2;
    QLabel* Label3;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QLabel* Label4;
    QLineEdit* Edit2;
    QLabel* Label5;
    QLineEdit* Edit3;
    QPushButton* Button2;
    QPushButton* Button3;
};

} // namespace zav
