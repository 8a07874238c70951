#pragma once

#include <QWidget>

#include <optional>
#include <string>

#include "buffer/address_range.h"

class QAction;
class QFormLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableView;

namespace zav {

class DescriptionTableModel;
class TForm8;
class THexEdit;

// The description window: project and device names, notes, and the described cells with
// their colour, access, address, live value and comment. Non-modal; closing only hides it.
class TExplaine : public QWidget {
    Q_OBJECT

public:
    TExplaine(THexEdit& editor, QWidget* parent);
    TExplaine(const TExplaine&) = delete;
    TExplaine& operator=(const TExplaine&) = delete;
    ~TExplaine() override;

    // The buffer's values changed: the value, colour and access columns and the checksums
    // follow.
    void RefreshCells();
    // Colours or the cursor changed, not the values: the columns repaint, the checksums stay.
    void RepaintCells();
    // Names, notes or rows changed in the description (a file was loaded, a device chosen).
    void RefreshDescription();

    // The device whose EEPROM the checksums line adds up, as the device field names it.
    void SetChecksumDevice(const std::string& deviceName);
    [[nodiscard]] QLabel* ChecksumLine() const { return checksums_; }

    // The row the cell dialog edits.
    [[nodiscard]] int CurrentRow() const;
    void SetCurrentRow(int row);
    [[nodiscard]] QTableView& Grid() { return *grid_; }

    [[nodiscard]] QAction* AddRowAction() const { return addRow_; }
    [[nodiscard]] QAction* DeleteRowAction() const { return deleteRow_; }
    [[nodiscard]] QAction* CellEditAction() const { return cellEdit_; }

signals:
    // The main window's ExplaineOpen and ExplaineClose: the window was shown or closed.
    void ExplaineOpen();
    void ExplaineClose();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFormLayout* CreateNameFields();
    void CreateGrid();
    QWidget* CreateColumnBar();
    void LayOutWindow(QFormLayout* names);
    void ConnectFields();
    void CreateActions();
    void SetActionsEnabled(bool enabled);
    void UpdateCaption();
    void SizeColumns();

    void ProjectNameChange();
    void DeviceNameChange();
    void NotesChange();
    void AddRowExecute();
    void DeleteRowExecute();
    void CellEditExecute();
    void RefreshChecksums();

    THexEdit& editor_;
    DescriptionTableModel* model_ = nullptr;
    QLineEdit* projectName_ = nullptr;
    QLineEdit* deviceName_ = nullptr;
    QTableView* grid_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QWidget* columnBar_ = nullptr;
    QAction* addRow_ = nullptr;
    QAction* deleteRow_ = nullptr;
    QAction* cellEdit_ = nullptr;
    QMenu* cellPropMenu_ = nullptr;
    TForm8* cellDialog_ = nullptr;
    QLabel* checksums_ = nullptr;
    std::optional<AddressRange> checksumRange_;
};

} // namespace zav
