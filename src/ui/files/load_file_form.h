#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "shell/open_file_directly.h"
#include "ui/files/buffer_file_chooser.h"
#include "widgets/radio_group.h"

namespace zav {

// "Load File Into Buffer": a file chosen by Browse or from the recent files, the format it is
// read as, the file range, the offset and the clear mode. Loading records the file at the
// front of the main window's recent files.
class TLoadf : public QDialog {
    Q_OBJECT

public:
    TLoadf(MemoryBuffer& buffer, ProgramSettings& settings, StatusSink& status, MessageBoxes& boxes,
           QWidget* parent = nullptr);

    // Browse asks the system's file-open dialog unless a test replaced it.
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // File > Recent Files: the dialog shows with this path chosen, as if typed.
    void PresetPath(const QString& path) { Edit1Change(path); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button4Click();
    void Button1Click();
    void OpenedFileListClick(QAction* entry);
    void Edit1Change(const QString& path);
    void CheckBox1Click();
    void Button2Click();
    // The model holds the fields' values; these copy them from the widgets and back.
    void StoreFields();
    void ShowModel();

    MemoryBuffer& buffer_;
    ProgramSettings& settings_;
    StatusSink& status_;
    MessageBoxes& boxes_;
    OpenFileDialog model_;
    FileChooser chooser_ = ChooseBufferFileToOpen;

    QLabel* Label1;
    QLineEdit* Edit1;
    QToolButton* Button4;
    QPushButton* Button1;
    QLabel* Label2;
    QLabel* Label3;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QLabel* Label4;
    QLineEdit* Edit2;
    QLabel* Label5;
    QLineEdit* Edit3;
    QLabel* Label6;
    QLineEdit* Edit4;
    RadioGroup* RadioGroup1;
    QPushButton* Button2;
    QPushButton* Button3;
    QMenu* OpenedFileList;
};

} // namespace zav
