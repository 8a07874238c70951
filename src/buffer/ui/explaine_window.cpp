#include "buffer/ui/explaine_window.h"

#include "buffer/ui/hex_edit_window.h"

namespace zav {

TExplaine::TExplaine(THexEdit& editor, QWidget* parent) : QWidget(parent, Qt::Window), editor_(editor) {}

void TExplaine::RefreshCells() {}

void TExplaine::RefreshDescription() {}

} // namespace zav
