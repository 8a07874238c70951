#pragma once

#include <QListView>

#include "messages/status_sink.h"

namespace zav {

class StatusListModel;

// The main window's message list: one line per message, coloured by kind, the newest
// selected and scrolled into view. Every item has the same height, so the view lays out a
// list of any length at once.
class StatusWin final : public QListView, public StatusSink {
    Q_OBJECT

public:
    explicit StatusWin(QWidget* parent = nullptr);

    void AddStatusMessage(const std::string& text, StatusKind kind) override;
    [[nodiscard]] StatusListModel& Lines() { return *model_; }
    [[nodiscard]] int LineCount() const;
    static constexpr int kItemHeight = 16;
    // Selects and shows the newest line now rather than when the event loop comes round.
    void SelectLastLine();

private:
    StatusListModel* model_;
    bool selectPending_ = false;
};

} // namespace zav
