#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

#include "messages/status_sink.h"

namespace zav {

// The message list's lines, each kept as the core stores it: a tag character for its kind,
// then the text as 8-bit bytes. Qt strings are made only for the rows being painted, so
// a long session's list stays small.
class StatusListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // DisplayRole: the line with its leading blank; ForegroundRole: the kind's colour.
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    void Append(const std::string& text, StatusKind kind);
    // The stored line with its tag, as the core's status helpers take it.
    [[nodiscard]] const std::string& Line(int row) const { return lines_[static_cast<std::size_t>(row)]; }
    [[nodiscard]] const std::vector<std::string>& AllLines() const { return lines_; }
    // The context menu's Clear: the user empties the list.
    void Clear();

private:
    std::vector<std::string> lines_;
};

} // namespace zav
