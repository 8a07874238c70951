#pragma once

#include <QComboBox>

#include <initializer_list>
#include <utility>
#include <vector>

namespace zav {

class HistoryField;

// An editable field with a drop-down list of the texts it accepted before. The list is the
// core's HistoryField; the box only shows it, so Enter never adds an entry of its own.
class HistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit HistoryComboBox(QWidget* parent = nullptr);

    // Shows the field's text and its history.
    void ShowField(const HistoryField& field);
    // Hands the typed text to the field.
    void StoreText(HistoryField& field) const;
    // The field gets the keyboard focus with its whole text selected.
    void FocusAndSelect();
};

// A dialog's history boxes, each with the core field it shows: a dialog hands all typed
// texts to its model before OK and shows the fields again afterwards, when their histories
// have grown and a typed address may have been rewritten.
class HistoryBindings {
public:
    void Bind(HistoryComboBox* box, HistoryField& field) { bound_.emplace_back(box, &field); }
    void ShowAll() const;
    void StoreAll() const;

private:
    std::vector<std::pair<HistoryComboBox*, HistoryField*>> bound_;
};

// Whenever `dialog` shows, `box` takes the focus with its text selected, ready to be typed
// over.
void SelectOnShow(QWidget& dialog, HistoryComboBox& box);

// Enables or disables a group of fields with their labels at once, as the range fields of a
// dialog that a selected block replaces.
void SetControlsEnabled(bool enabled, std::initializer_list<QWidget*> controls);

} // namespace zav
