#include "ui/shell/help_window.h"

#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QProcess>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

#include <algorithm>
#include <utility>

#include "widgets/guarded_command.h"
#include "widgets/reader_name.h"

namespace zav {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kSmallestZoom = 0.25;
constexpr qreal kLargestZoom = 6.0;

bool StartDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace

HelpWindow::HelpWindow(const QString& manualPath, QWidget* parent, Launcher launcher)
    : QMainWindow(parent, Qt::Window),
      manualPath_(manualPath),
      launcher_(launcher ? std::move(launcher) : Launcher(StartDetached)),
      document_(new QPdfDocument(this)),
      bookmarks_(new QPdfBookmarkModel(this)),
      search_(new QPdfSearchModel(this)),
      view_(new QPdfView(this)),
      bookmarkTree_(new QTreeView(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("User Manual"));
    document_->load(manualPath_);
    bookmarks_->setDocument(document_);
    search_->setDocument(document_);

    view_->setObjectName(QStringLiteral("Pages"));
    SetReaderName(*view_, QStringLiteral("Manual pages"));
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    view_->setDocument(document_);

    bookmarkTree_->setObjectName(QStringLiteral("Bookmarks"));
    SetReaderName(*bookmarkTree_, QStringLiteral("Contents"));
    bookmarkTree_->setModel(bookmarks_);
    bookmarkTree_->setHeaderHidden(true);
    bookmarkTree_->setUniformRowHeights(true);
    connect(bookmarkTree_, &QTreeView::activated, this, Guarded(this, [this](const QModelIndex& i) { ShowBookmark(i); }));
    connect(bookmarkTree_, &QTreeView::clicked, this, Guarded(this, [this](const QModelIndex& i) { ShowBookmark(i); }));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(bookmarkTree_);
    splitter->addWidget(view_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 760});
    setCentralWidget(splitter);

    BuildActions();
    BuildToolBar();
    pageNumber_ = new QLabel(this);
    statusBar()->addPermanentWidget(pageNumber_);
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            [this](int page) { ShowPageNumber(page); });
    // The search goes through the pages in the background; a step asked for meanwhile is
    // taken when its first matches come in.
    connect(search_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (pendingStep_ == 0) return;
        const int step = std::exchange(pendingStep_, 0);
        ShowMatch(step);
    });
    connect(search_, &QAbstractItemModel::modelReset, this, [this] { match_ = -1; });
    ShowPageNumber(0);
    if (!Loaded()) statusBar()->showMessage(QStringLiteral("The manual %1 could not be read").arg(manualPath_));
    resize(1000, 760);
}

void HelpWindow::BuildActions()
{
    const auto make = [this](const QString& name, const QString& text, const QList<QKeySequence>& keys,
                             void (HelpWindow::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, Guarded(this, [this, slot] { (this->*slot)(); }));
        addAction(action);
        return action;
    };
    findNext_ = make(QStringLiteral("FindNext"), QStringLiteral("Find Next"), {QKeySequence(Qt::Key_F3)},
                     &HelpWindow::FindNext);
    findPrevious_ = make(QStringLiteral("FindPrevious"), QStringLiteral("Find Previous"),
                         {QKeySequence(Qt::SHIFT | Qt::Key_F3)}, &HelpWindow::FindPrevious);
    zoomIn_ = make(QStringLiteral("ZoomIn"), QStringLiteral("Zoom In"),
                   {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &HelpWindow::ZoomIn);
    zoomOut_ = make(QStringLiteral("ZoomOut"), QStringLiteral("Zoom Out"), {QKeySequence(QKeySequence::ZoomOut)},
                    &HelpWindow::ZoomOut);
    fitWidth_ = make(QStringLiteral("FitWidth"), QStringLiteral("Fit Width"), {}, &HelpWindow::FitWidth);
    fitWidth_->setCheckable(true);
    fitWidth_->setChecked(true);
    openWith_ = make(QStringLiteral("OpenWith"), QStringLiteral("Open with ..."), {}, &HelpWindow::OpenWithDesktop);
    // A tool button drops a trailing "..." from its action's text unless told the text.
    openWith_->setIconText(openWith_->text());
    openWith_->setToolTip(QStringLiteral("Open the manual with the desktop's application for PDF files"));

    auto* find = new QAction(QStringLiteral("Find"), this);
    find->setShortcut(QKeySequence(QKeySequence::Find));
    find->setShortcutContext(Qt::WindowShortcut);
    connect(find, &QAction::triggered, this, [this] {
        findField_->setFocus(Qt::ShortcutFocusReason);
        findField_->selectAll();
    });
    addAction(find);
}

void HelpWindow::BuildToolBar()
{
    auto* bar = addToolBar(QStringLiteral("Help"));
    bar->setObjectName(QStringLiteral("HelpToolBar"));
    bar->setMovable(false);
    findField_ = new QLineEdit(bar);
    findField_->setObjectName(QStringLiteral("FindField"));
    SetReaderName(*findField_, QStringLiteral("Find"));
    findField_->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    findField_->setClearButtonEnabled(true);
    findField_->setMaximumWidth(260);
    connect(findField_, &QLineEdit::textChanged, this, [this] { StartSearch(); });
    connect(findField_, &QLineEdit::returnPressed, this, Guarded(this, [this] { FindNext(); }));
    bar->addWidget(findField_);
    bar->addAction(findPrevious_);
    bar->addAction(findNext_);
    findResult_ = new QLabel(bar);
    findResult_->setObjectName(QStringLiteral("FindResult"));
    findResult_->setMinimumWidth(90);
    bar->addWidget(findResult_);
    bar->addSeparator();
    bar->addAction(zoomOut_);
    bar->addAction(zoomIn_);
    bar->addAction(fitWidth_);
    bar->addSeparator();
    bar->addAction(openWith_);
}

bool HelpWindow::Loaded() const
{
    return document_->status() == QPdfDocument::Status::Ready;
}

int HelpWindow::PageCount() const
{
    return document_->pageCount();
}

int HelpWindow::CurrentPage() const
{
    return view_->pageNavigator()->currentPage();
}

qreal HelpWindow::ZoomFactor() const
{
    if (!FitsWidth() || PageCount() == 0) return view_->zoomFactor();
    // Fit width keeps the last factor set in the view; the pages are shown at the one that
    // makes the current page as wide as the view (QPdfView lays a point out at dpi/72 pixels).
    const QMargins margins = view_->documentMargins();
    const qreal available = view_->viewport()->width() - margins.left() - margins.right();
    const qreal pageWidth = document_->pagePointSize(CurrentPage()).width() * view_->logicalDpiX() / 72.0;
    return pageWidth > 0 ? available / pageWidth : view_->zoomFactor();
}

bool HelpWindow::FitsWidth() const
{
    return view_->zoomMode() == QPdfView::ZoomMode::FitToWidth;
}

void HelpWindow::GoToPage(int page)
{
    if (page < 0 || page >= PageCount()) return;
    view_->pageNavigator()->jump(page, QPointF(), view_->pageNavigator()->currentZoom());
}

void HelpWindow::ShowBookmark(const QModelIndex& index)
{
    if (!index.isValid()) return;
    const int page = index.data(static_cast<int>(QPdfBookmarkModel::Role::Page)).toInt();
    const QPointF location = index.data(static_cast<int>(QPdfBookmarkModel::Role::Location)).toPointF();
    view_->pageNavigator()->jump(page, location, view_->pageNavigator()->currentZoom());
}

void HelpWindow::StartSearch()
{
    match_ = -1;
    pendingStep_ = 0;
    findResult_->clear();
    search_->setSearchString(findField_->text());
}

void HelpWindow::FindNext()
{
    ShowMatch(1);
}

void HelpWindow::FindPrevious()
{
    ShowMatch(-1);
}

void HelpWindow::ShowMatch(int step)
{
    if (findField_->text().isEmpty()) {
        findField_->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    const int count = search_->rowCount(QModelIndex());
    if (count == 0) {
        pendingStep_ = step;
        findResult_->setText(QStringLiteral("Not found"));
        return;
    }
    match_ = match_ < 0 ? (step > 0 ? 0 : count - 1) : (match_ + step + count) % count;
    const QPdfLink link = search_->resultAtIndex(match_);
    view_->pageNavigator()->jump(link.page(), link.location(), view_->pageNavigator()->currentZoom());
    findResult_->setText(QStringLiteral("%1 of %2").arg(match_ + 1).arg(count));
}

void HelpWindow::ZoomIn()
{
    ZoomBy(kZoomStep);
}

void HelpWindow::ZoomOut()
{
    ZoomBy(1 / kZoomStep);
}

void HelpWindow::ZoomBy(qreal factor)
{
    const qreal current = ZoomFactor();
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(std::clamp(current * factor, kSmallestZoom, kLargestZoom));
    fitWidth_->setChecked(false);
}

void HelpWindow::FitWidth()
{
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    fitWidth_->setChecked(true);
}

void HelpWindow::ShowPageNumber(int page)
{
    pageNumber_->setText(QStringLiteral("Page %1 of %2").arg(page + 1).arg(PageCount()));
}

void HelpWindow::OpenWithDesktop()
{
    if (!launcher_(QStringLiteral("xdg-open"), {manualPath_}))
        statusBar()->showMessage(QStringLiteral("xdg-open could not be started; install xdg-utils"));
}

} // namespace zav
