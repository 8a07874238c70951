#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace zav {

// A titled frame of mutually exclusive choices laid out in columns, one always chosen; the
// choice is read and set by its position in the list.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    [[nodiscard]] int ItemIndex() const;
    void SetItemIndex(int index);

signals:
    void ItemIndexChanged(int index);

private:
    QButtonGroup buttons_;
};

} // namespace zav
