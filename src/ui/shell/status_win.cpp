#include "ui/shell/status_win.h"

#include "ui/shell/status_line_delegate.h"
#include "ui/shell/status_list_model.h"

namespace zav {

StatusWin::StatusWin(QWidget* parent) : QListView(parent), model_(new StatusListModel(this))
{
    setObjectName(QStringLiteral("StatusWin"));
    setModel(model_);
    setItemDelegate(new StatusLineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A tab stop, so the messages can be read and copied without a mouse; the window gives it
    // the focus at start.
    setFocusPolicy(Qt::StrongFocus);
    setStatusTip(QStringLiteral("Program Messages"));
    setAccessibleName(QStringLiteral("Program Messages"));
}

void StatusWin::AddStatusMessage(const std::string& text, StatusKind kind)
{
    model_->Append(text, kind);
    // Selecting lays the list out again; lines that arrive together are selected once, when
    // the event loop comes round, so a burst of lines costs one layout and not one each.
    if (selectPending_) return;
    selectPending_ = true;
    QMetaObject::invokeMethod(this, &StatusWin::SelectLastLine, Qt::QueuedConnection);
}

void StatusWin::SelectLastLine()
{
    selectPending_ = false;
    const QModelIndex last = model_->index(model_->rowCount() - 1);
    setCurrentIndex(last);
    scrollTo(last, QAbstractItemView::PositionAtBottom);
}

int StatusWin::LineCount() const
{
    return model_->rowCount();
}

} // namespace zav
