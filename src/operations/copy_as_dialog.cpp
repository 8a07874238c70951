#include "operations/copy_as_dialog.h"

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "operations/address_field.h"
#include "operations/selection.h"

namespace zav {

namespace {

// `source` is an AddressRange or a Selection.
template <typename Source>
std::string Convert(CopyAsFormat format, const MemoryBuffer& buffer, const Source& source,
                    std::string_view title, MessageBoxes& boxes)
{
    switch (format) {
    case CopyAsFormat::AssemblerArray:
        return ToAssemblerArray(buffer, source, boxes);
    case CopyAsFormat::HtmlPage:
        return ToHtmlPage(buffer, source, title, boxes);
    case CopyAsFormat::CArray:
        break;
    }
    return ToCArray(buffer, source, boxes);
}

} // namespace

void CopyAsDialog::Preset(std::int32_t cursorAddress)
{
    from_.SetText(AddressText(cursorAddress));
    to_.SetText(AddressText(cursorAddress));
}

std::optional<std::string> CopyAsDialog::Ok(const MemoryBuffer& buffer, const Selection& selection,
                                            std::string_view title, MessageBoxes& boxes)
{
    if (selection.HasSelection()) return Convert(format_, buffer, selection, title, boxes);
    const auto range = ParseAddressRange(from_.Text(), to_.Text(), buffer.LastAddress(), boxes);
    if (!range) return std::nullopt;
    from_.RememberText();
    to_.RememberText();
    return Convert(format_, buffer, *range, title, boxes);
}

} // namespace zav
