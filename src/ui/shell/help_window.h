#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QPdfBookmarkModel;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QTreeView;

namespace zav {

// The user manual in a window of the program's own, for a desktop without a PDF
// application: the pages, the manual's bookmarks as a tree beside them, search (Ctrl+F,
// then F3 / Shift+F3 from match to match), zoom (Ctrl++, Ctrl+-, fit width) and a button
// that hands the file to the desktop with xdg-open after all.
class HelpWindow final : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(QString manualPath READ ManualPath CONSTANT)

public:
    // Starts a program detached; true when it started.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;

    explicit HelpWindow(const QString& manualPath, QWidget* parent = nullptr, Launcher launcher = {});

    [[nodiscard]] const QString& ManualPath() const { return manualPath_; }
    [[nodiscard]] bool Loaded() const;
    [[nodiscard]] int PageCount() const;
    [[nodiscard]] int CurrentPage() const;
    [[nodiscard]] qreal ZoomFactor() const;
    [[nodiscard]] bool FitsWidth() const;
    [[nodiscard]] QPdfBookmarkModel* Bookmarks() const { return bookmarks_; }
    [[nodiscard]] QTreeView* BookmarkTree() const { return bookmarkTree_; }
    [[nodiscard]] QLineEdit* FindField() const { return findField_; }
    [[nodiscard]] QLabel* FindResult() const { return findResult_; }
    [[nodiscard]] QAction* OpenWithAction() const { return openWith_; }

    // Shows the page `page` (from 0) at its top.
    void GoToPage(int page);
    // The next (or previous) match of the find field's text, wrapping round; the first
    // one after a new text.
    void FindNext();
    void FindPrevious();
    void ZoomIn();
    void ZoomOut();
    void FitWidth();

private:
    void BuildActions();
    void BuildToolBar();
    void ShowBookmark(const QModelIndex& index);
    void StartSearch();
    void ShowMatch(int step);
    void ZoomBy(qreal factor);
    void ShowPageNumber(int page);
    void OpenWithDesktop();

    QString manualPath_;
    Launcher launcher_;
    QPdfDocument* document_;
    QPdfBookmarkModel* bookmarks_;
    QPdfSearchModel* search_;
    QPdfView* view_;
    QTreeView* bookmarkTree_;
    QLineEdit* findField_ = nullptr;
    QLabel* findResult_ = nullptr;
    QLabel* pageNumber_ = nullptr;
    QAction* findNext_ = nullptr;
    QAction* findPrevious_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* fitWidth_ = nullptr;
    QAction* openWith_ = nullptr;
    int match_ = -1;
    // A step asked for before the search had found anything; taken when the first
    // matches arrive (the search runs page by page in the background).
    int pendingStep_ = 0;
};

} // namespace zav
