#pragma once

#include <string>
#include <string_view>

#include "buffer/address_range.h"

namespace zav {

class MemoryBuffer;
class MessageBoxes;
class Selection;

// The formats of the Copy As dialog, in the order of its list.
enum class CopyAsFormat { CArray, AssemblerArray, HtmlPage };

// Where the HTML page's footer links to.
inline constexpr char kHomePageAddress[] = "https://zavprog.example.org/";

// Source texts for other tools, with CR LF line ends and none after the last line. A range
// keeps the 16-byte address grid (a new line before every nonzero multiple of 16); a
// selection gets a new line after every 16 items. Without the memory for the text,
// "Not Enough Memory, close unused Applications" is shown and the text is empty.
[[nodiscard]] std::string ToCArray(const MemoryBuffer& buffer, AddressRange range, MessageBoxes& boxes);
[[nodiscard]] std::string ToCArray(const MemoryBuffer& buffer, const Selection& selection,
                                   MessageBoxes& boxes);
[[nodiscard]] std::string ToAssemblerArray(const MemoryBuffer& buffer, AddressRange range,
                                           MessageBoxes& boxes);
[[nodiscard]] std::string ToAssemblerArray(const MemoryBuffer& buffer, const Selection& selection,
                                           MessageBoxes& boxes);
// A page with a dump of whole 16-byte rows; cells outside the range or selection show "--".
// The title's & < > " are written as character references, so it reads as the same text.
[[nodiscard]] std::string ToHtmlPage(const MemoryBuffer& buffer, AddressRange range, std::string_view title,
                                     MessageBoxes& boxes);
[[nodiscard]] std::string ToHtmlPage(const MemoryBuffer& buffer, const Selection& selection,
                                     std::string_view title, MessageBoxes& boxes);

} // namespace zav
