#pragma once

#include <string>

#include "operations/selection.h"

namespace zav {

// The editor's status-bar text for a selection of several cells: its first and last cell
// and how many cells it holds, each in hexadecimal and decimal. Empty for a single cell.
// A block narrower than a row holds fewer cells than lie between its first and last.
[[nodiscard]] std::string SelectionPanelText(const Selection& selection);

} // namespace zav
