#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <functional>

#include "widgets/ok_cancel_buttons.h"

namespace zav {

// What the Load and Save dialogs share at their top: the "File Name" caption over the
// chosen path, read-only because a path only comes from Browse (or the recent list), and
// Browse itself, which must not take Enter away from OK.
struct FileNameParts {
    QLabel* caption;
    QLineEdit* path;
    QPushButton* browse;
};

[[nodiscard]] FileNameParts NewFileNameParts(QWidget* parent);

// The path and Browse in one row; `recent`, where given, opens the recent files between them.
[[nodiscard]] QHBoxLayout* NewPathRow(const FileNameParts& parts, QToolButton* recent = nullptr);

// The lowest and highest address fields, Edit2 and Edit3, in rows 0 and 1 of a new grid.
struct AddressRangeFields {
    QGridLayout* grid;
    QLabel* lowCaption;
    QLineEdit* low;
    QLabel* highCaption;
    QLineEdit* high;
};

[[nodiscard]] AddressRangeFields NewAddressRangeFields(const QString& lowCaption, const QString& highCaption,
                                                       QWidget* parent);

// The file dialogs' closing row, OK named Button2 and Cancel Button3.
[[nodiscard]] OkCancelButtons* NewFileDialogButtons(QDialog& dialog, const std::function<void()>& onOk,
                                                    const QString& okText = QStringLiteral("OK"));

// A format list after its caption, the list taking the spare width.
[[nodiscard]] QHBoxLayout* NewFormatRow(QLabel* caption, QComboBox* formats);

} // namespace zav
