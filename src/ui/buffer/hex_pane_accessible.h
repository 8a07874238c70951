#pragma once

#include <QAccessibleWidget>

#include <cstdint>
#include <unordered_map>

namespace zav {

class HexGridView;

// A pane of the hex editor as a screen reader sees it: a table of 4096 rows of 16 cells, one
// per byte, each named by its address and what the pane shows there ("0xB600: 5A"). The cursor
// cell is the focused one, so a reader follows the cursor. Cells are made when first asked for
// and kept while the pane lives, so a reader sees the same object for the same byte.
class HexPaneAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit HexPaneAccessible(HexGridView* pane);
    ~HexPaneAccessible() override;
    HexPaneAccessible(const HexPaneAccessible&) = delete;
    HexPaneAccessible& operator=(const HexPaneAccessible&) = delete;

    // Whether Qt makes the panes' interfaces here; it does from the program's start.
    [[nodiscard]] static bool FactoryInstalled();

    // QAccessibleInterface
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Table; }
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    [[nodiscard]] QAccessibleInterface* caption() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* summary() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* cellAt(int row, int column) const override;
    [[nodiscard]] int selectedCellCount() const override;
    [[nodiscard]] QList<QAccessibleInterface*> selectedCells() const override;
    [[nodiscard]] QString columnDescription(int column) const override;
    [[nodiscard]] QString rowDescription(int row) const override;
    [[nodiscard]] int selectedColumnCount() const override;
    [[nodiscard]] int selectedRowCount() const override;
    [[nodiscard]] int columnCount() const override;
    [[nodiscard]] int rowCount() const override;
    [[nodiscard]] QList<int> selectedColumns() const override;
    [[nodiscard]] QList<int> selectedRows() const override;
    [[nodiscard]] bool isColumnSelected(int column) const override;
    [[nodiscard]] bool isRowSelected(int row) const override;
    // The selection is the editor's block of cells; it is made with the keys, not from here.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The cell of one byte; nullptr beyond the buffer.
    [[nodiscard]] QAccessibleInterface* Cell(std::int32_t address) const;

private:
    [[nodiscard]] HexGridView* Pane() const;

    mutable std::unordered_map<std::int32_t, QAccessible::Id> cells_;
};

} // namespace zav
