#include "widgets/history_combo_box.h"

#include <QEvent>
#include <QLineEdit>

#include "operations/history_field.h"
#include "widgets/latin1_text.h"

namespace zav {

HistoryComboBox::HistoryComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(12);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void HistoryComboBox::ShowField(const HistoryField& field)
{
    clear();
    for (const std::string& entry : field.History()) addItem(FromLatin1(entry));
    setEditText(FromLatin1(field.Text()));
}

void HistoryComboBox::StoreText(HistoryField& field) const
{
    field.SetText(ToLatin1(currentText()));
}

void HistoryComboBox::FocusAndSelect()
{
    setFocus(Qt::OtherFocusReason);
    lineEdit()->selectAll();
}

void HistoryBindings::ShowAll() const
{
    for (const auto& [box, field] : bound_) box->ShowField(*field);
}

void HistoryBindings::StoreAll() const
{
    for (const auto& [box, field] : bound_) box->StoreText(*field);
}

namespace {

class SelectOnShowFilter : public QObject {
public:
    SelectOnShowFilter(QWidget& dialog, HistoryComboBox& box) : QObject(&dialog), box_(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) box_.FocusAndSelect();
        return QObject::eventFilter(watched, event);
    }

private:
    HistoryComboBox& box_;
};

} // namespace

void SelectOnShow(QWidget& dialog, HistoryComboBox& box)
{
    dialog.installEventFilter(new SelectOnShowFilter(dialog, box));
}

void SetControlsEnabled(bool enabled, std::initializer_list<QWidget*> controls)
{
    for (QWidget* control : controls) {
        control->setEnabled(enabled);
    }
}

} // namespace zav
