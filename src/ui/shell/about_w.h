#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace zav {

// The About box: the logo, the product and version lines, the maker with a link to the
// web site, and the supported boards. Made for one showing and released afterwards.
class TAboutW final : public QDialog {
    Q_OBJECT

public:
    explicit TAboutW(QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* LinkButton() const { return linkButton_; }
    [[nodiscard]] QPlainTextEdit* BoardList() const { return boardList_; }

private:
    void LinkButtonClick();

    QPushButton* linkButton_;
    QPlainTextEdit* boardList_;
};

} // namespace zav
