#include "operations/selection_panel.h"

#include <cstdio>

namespace zav {

std::string SelectionPanelText(const Selection& selection)
{
    if (!selection.HasSelection()) return {};
    const long first = selection.TopLeftAddress();
    const long last = selection.BottomRightAddress();
    const long length = selection.CellCount();
    char text[80];
    std::snprintf(text, sizeof text, "Sel: %04lX-%04lX (%ld-%ld) Len: %lX (%ld)", first, last, first, last, length,
                  length);
    return text;
}

} // namespace zav
