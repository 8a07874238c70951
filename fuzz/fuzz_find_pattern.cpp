// Runs the find dialog on arbitrary search texts, types and directions, and checks that every
// text is either refused with one message or searched, and that a match really matches.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"
#include "fuzz_support.h"
#include "operations/find_dialog.h"
#include "operations/search_pattern.h"

using zav::fuzzing::Check;
using zav::fuzzing::CountingBoxes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const bool textMode = (data[0] & 1) != 0;
    const bool down = (data[0] & 2) != 0;
    const std::int32_t cursor = data[1] << 8 | data[2];
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);

    static zav::MemoryBuffer* buffer = [] {
        auto* made = new zav::MemoryBuffer;
        for (std::int32_t a = 0; a <= made->LastAddress(); ++a) {
            made->SetByte(a, static_cast<std::uint8_t>("0123456789ABCDEFabcdef xyzXYZ\x00\xFF"[a % 31]));
        }
        return made;
    }();

    CountingBoxes boxes;
    const auto type = textMode ? zav::SearchDataType::Text : zav::SearchDataType::Hex;
    const auto pattern = zav::ParseSearchPattern(text, type, boxes);
    Check(pattern.has_value() == (boxes.shown == 0));
    if (pattern) Check(pattern->size() <= zav::kMaxSearchLength);

    zav::FindDialog dialog(*buffer, cursor);
    dialog.SearchText().SetText(text);
    dialog.SetDataType(type);
    dialog.SetDirection(down ? zav::SearchDirection::Down : zav::SearchDirection::Up);
    for (int again = 0; again < 2; ++again) {
        CountingBoxes searchBoxes;
        const auto found = dialog.Ok(*buffer, cursor, searchBoxes);
        Check(found.has_value() == (searchBoxes.shown == 0));
        if (!found) break;
        Check(*found >= 0 && *found <= buffer->LastAddress());
        for (std::size_t i = 0; i < pattern->size(); ++i) {
            std::uint8_t cell = buffer->GetByte(*found + static_cast<std::int32_t>(i));
            if (textMode) cell = static_cast<std::uint8_t>(zav::LowerCaseChar(static_cast<char>(cell)));
            Check(cell == (*pattern)[i]);
        }
    }
    return 0;
}
