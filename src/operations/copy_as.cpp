#include "operations/copy_as.h"

#include <new>

#include "buffer/memory_buffer.h"
#include "operations/hex_text.h"
#include "operations/selection.h"
#include "messages/message_boxes.h"

namespace zav {

namespace {

// The cells a conversion covers: how many, and item(address, startsLine) for each in order.
// Lines of a range follow the address grid; lines of a selection hold 16 items each,
// whatever its width.
struct RangeCells {
    AddressRange range;

    [[nodiscard]] int Count() const { return range.Size(); }
    template <typename Item> void ForEach(Item&& item) const
    {
        for (std::int32_t address = range.first; address <= range.last; ++address) {
            item(address, address != 0 && address % 16 == 0);
        }
    }
};

struct SelectionCells {
    const Selection& selection;

    [[nodiscard]] int Count() const { return selection.CellCount(); }
    template <typename Item> void ForEach(Item&& item) const
    {
        int position = 0;
        selection.ForEachAddress([&](std::int32_t address) {
            item(address, position != 0 && position % 16 == 0);
            ++position;
        });
    }
};

template <typename Build> std::string Guarded(MessageBoxes& boxes, Build&& build)
{
    try {
        return build();
    } catch (const std::bad_alloc&) {
        boxes.ShowError(kNotEnoughMemory);
        return {};
    }
}

template <typename ForEach> std::string CArrayText(const MemoryBuffer& buffer, int count, ForEach&& forEach)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 6 + static_cast<std::size_t>(count) / 8 + 80);
    text += "// ";
    text += kBanner;
    text += kLineEnd;
    text += "unsigned char Data1[" + std::to_string(count) + "]={";
    text += kLineEnd;
    forEach([&](std::int32_t address, bool startsLine) {
        if (startsLine) text += kLineEnd;
        text += "0x";
        AppendHexByte(text, buffer.GetByte(address));
        text += ", ";
    });
    if (count > 0) {
        text.resize(text.size() - 2);
        text += "};";
    }
    return text;
}

template <typename ForEach>
std::string AssemblerText(const MemoryBuffer& buffer, int count, ForEach&& forEach)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 4 + static_cast<std::size_t>(count) / 2 + 60);
    text += "* ";
    text += kBanner;
    text += kLineEnd;
    text += "        fcb   ";
    forEach([&](std::int32_t address, bool startsLine) {
        if (startsLine) {
            text += kLineEnd;
            text += "\tfcb\t";
        }
        text += '$';
        AppendHexByte(text, buffer.GetByte(address));
        text += ',';
    });
    if (count > 0) text.pop_back();
    return text;
}

// The names in a page's title come from the loaded file: markup in them must show as text,
// never act as markup.
std::string HtmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

template <typename Inside>
std::string HtmlText(const MemoryBuffer& buffer, std::int32_t first, std::int32_t last,
                     std::string_view title, Inside&& inside)
{
    const std::int32_t firstRow = first / 16;
    const std::int32_t lastRow = last / 16;
    const std::string escapedTitle = HtmlEscaped(title);
    std::string text;
    text.reserve(static_cast<std::size_t>(lastRow - firstRow + 1) * 56 + 2 * escapedTitle.size() + 400);
    const auto line = [&text](std::string_view content) {
        text += content;
        text += kLineEnd;
    };
    line("<html>");
    line("");
    line("<head>");
    line("<title>");
    line(escapedTitle);
    line("</title>");
    line(std::string("<meta name=\"GENERATOR\" CONTENT=\"") + kBanner + "\">");
    line("</head>");
    line("");
    line("<body bgcolor=\"#FFFFFF\">");
    line("<h1><center>");
    line(escapedTitle);
    line("</center></h1>");
    line("<hr>");
    text += "<pre><code><font color=\"#000000\">";
    for (std::int32_t row = firstRow; row <= lastRow; ++row) {
        AppendHexAddress(text, row * 16);
        text += "  ";
        for (std::int32_t address = row * 16; address < row * 16 + 16; ++address) {
            if (inside(address)) {
                AppendHexByte(text, buffer.GetByte(address));
            } else {
                text += "--";
            }
            text += ' ';
        }
        text += kLineEnd;
    }
    line("</font>");
    line("</code></pre>");
    line("<hr>");
    line("<font size=\"-3\">");
    line(std::string("HTML Page <a href=\"") + kHomePageAddress + "\">" + kBanner + "</a>");
    line("</font>");
    line("</body>");
    line("");
    text += "</html>";
    return text;
}

template <typename Cells> std::string CArrayOf(const MemoryBuffer& buffer, const Cells& cells, MessageBoxes& boxes)
{
    return Guarded(boxes, [&] { return CArrayText(buffer, cells.Count(), [&](auto&& item) { cells.ForEach(item); }); });
}

template <typename Cells>
std::string AssemblerArrayOf(const MemoryBuffer& buffer, const Cells& cells, MessageBoxes& boxes)
{
    return Guarded(boxes, [&] {
        return AssemblerText(buffer, cells.Count(), [&](auto&& item) { cells.ForEach(item); });
    });
}

} // namespace

std::string ToCArray(const MemoryBuffer& buffer, AddressRange range, MessageBoxes& boxes)
{
    return CArrayOf(buffer, RangeCells{range}, boxes);
}

std::string ToCArray(const MemoryBuffer& buffer, const Selection& selection, MessageBoxes& boxes)
{
    return CArrayOf(buffer, SelectionCells{selection}, boxes);
}

std::string ToAssemblerArray(const MemoryBuffer& buffer, AddressRange range, MessageBoxes& boxes)
{
    return AssemblerArrayOf(buffer, RangeCells{range}, boxes);
}

std::string ToAssemblerArray(const MemoryBuffer& buffer, const Selection& selection, MessageBoxes& boxes)
{
    return AssemblerArrayOf(buffer, SelectionCells{selection}, boxes);
}

std::string ToHtmlPage(const MemoryBuffer& buffer, AddressRange range, std::string_view title,
                       MessageBoxes& boxes)
{
    return Guarded(boxes, [&] {
        return HtmlText(buffer, range.first, range.last, title, [&](std::int32_t address) {
            return address >= range.first && address <= range.last;
        });
    });
}

std::string ToHtmlPage(const MemoryBuffer& buffer, const Selection& selection, std::string_view title,
                       MessageBoxes& boxes)
{
    return Guarded(boxes, [&] {
        return HtmlText(buffer, selection.TopLeftAddress(), selection.BottomRightAddress(), title,
                        [&](std::int32_t address) { return selection.Contains(address); });
    });
}

} // namespace zav
