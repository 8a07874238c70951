#include "ui/shell/message_list_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>

#include "messages/message_boxes.h"
#include "shell/message_list_text.h"
#include "ui/shell/status_list_model.h"
#include "ui/shell/status_win.h"
#include "widgets/latin1_text.h"
#include "widgets/menu_keys.h"
#include "widgets/system_text.h"

namespace zav {

namespace {

std::optional<ChosenFile> ChooseMessageFile(QWidget* parent)
{
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Messages"),
                                                      QStringLiteral("messages.txt"),
                                                      QStringLiteral("Text (*.txt);;All (*)"));
    if (path.isEmpty()) return std::nullopt;
    return ChosenFile{path, 1};
}

// On the clipboard the lines end as the desktop's programs expect them.
QString ClipboardText(const std::vector<std::string>& lines)
{
    return FromLatin1(MessageListText(lines)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

MessageListMenu::MessageListMenu(StatusWin& list, MessageBoxes& boxes)
    : QObject(&list), list_(list), boxes_(boxes), chooser_(ChooseMessageFile), menu_(new QMenu(&list))
{
    menu_->setObjectName(QStringLiteral("MessageListMenu"));
    copy_ = menu_->addAction(QStringLiteral("Copy"), this, &MessageListMenu::CopySelected);
    copyAll_ = menu_->addAction(QStringLiteral("Copy All"), this, &MessageListMenu::CopyAll);
    menu_->addSeparator();
    saveAs_ = menu_->addAction(QStringLiteral("Save As ..."), this, &MessageListMenu::SaveAs);
    menu_->addSeparator();
    clear_ = menu_->addAction(QStringLiteral("Clear"), this, [this] { list_.Lines().Clear(); });
    GiveMenuMnemonics(*menu_);

    list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        UpdateActions();
        menu_->popup(list_.viewport()->mapToGlobal(position));
    });
    connect(menu_, &QMenu::aboutToShow, this, &MessageListMenu::UpdateActions);
}

void MessageListMenu::UpdateActions()
{
    const bool any = list_.LineCount() > 0;
    copy_->setEnabled(any && list_.currentIndex().isValid());
    copyAll_->setEnabled(any);
    saveAs_->setEnabled(any);
    clear_->setEnabled(any);
}

void MessageListMenu::CopySelected()
{
    std::vector<std::string> lines;
    for (const QModelIndex& index : list_.selectionModel()->selectedIndexes()) {
        lines.push_back(list_.Lines().Line(index.row()));
    }
    if (lines.empty() && list_.currentIndex().isValid()) lines.push_back(list_.Lines().Line(list_.currentIndex().row()));
    if (!lines.empty()) QApplication::clipboard()->setText(ClipboardText(lines));
}

void MessageListMenu::CopyAll()
{
    QApplication::clipboard()->setText(ClipboardText(list_.Lines().AllLines()));
}

void MessageListMenu::SaveAs()
{
    const auto chosen = chooser_(&list_);
    if (!chosen) return;
    std::string failure;
    if (!SaveMessageList(ToSystemPath(chosen->path), list_.Lines().AllLines(), failure)) {
        boxes_.ShowError("Messages not saved: " + failure);
    }
}

} // namespace zav
