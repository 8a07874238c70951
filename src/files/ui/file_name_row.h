#pragma once

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

// A format list after its caption, the list taking the spare width.
[[nodiscard]] QHBoxLayout* NewFormatRow(QLabel* caption, QComboBox* formats);

} // namespace zav
