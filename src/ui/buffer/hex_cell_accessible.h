#pragma once

#include <QAccessible>
#include <QPointer>

#include <cstdint>

namespace zav {

class HexGridView;

// One byte of a hex editor pane for a screen reader: its name is the address and what the
// pane shows ("0xB600: 5A"), its description what else is true of it (unimplemented,
// read-only, the device's value after a failed verify); focused while it is the cursor cell
// of the pane that has the focus.
class HexCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    HexCellAccessible(HexGridView* pane, std::int32_t address);

    // QAccessibleInterface
    [[nodiscard]] bool isValid() const override { return !pane_.isNull(); }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* parent() const override;
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    [[nodiscard]] QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Cell; }
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    [[nodiscard]] bool isSelected() const override;
    [[nodiscard]] QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    [[nodiscard]] QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    [[nodiscard]] int columnIndex() const override;
    [[nodiscard]] int rowIndex() const override;
    [[nodiscard]] int columnExtent() const override { return 1; }
    [[nodiscard]] int rowExtent() const override { return 1; }
    [[nodiscard]] QAccessibleInterface* table() const override { return parent(); }

    [[nodiscard]] std::int32_t Address() const { return address_; }

private:
    QPointer<HexGridView> pane_;
    std::int32_t address_;
};

} // namespace zav
