// Pastes arbitrary clipboard text at an arbitrary cursor over a buffer with protected cells,
// then checks what a paste promises: no cell changes beyond the cells it scanned, protected
// cells keep their values, and one undo restores the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "buffer/memory_buffer.h"
#include "fuzz_support.h"
#include "operations/paste_text.h"

using zav::fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::int32_t cursor = data[0] << 8 | data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    zav::MemoryBuffer buffer;
    for (std::int32_t a = 0; a <= buffer.LastAddress(); a += 7)
        buffer.SetByte(a, static_cast<std::uint8_t>(a));
    for (std::int32_t a = 3; a <= buffer.LastAddress(); a += 97) buffer.SetReadOnly(a, true);
    for (std::int32_t a = 5; a <= buffer.LastAddress(); a += 89) buffer.SetUnimplemented(a, true);
    buffer.Undo().Clear();
    std::vector<std::uint8_t> before;
    for (std::int32_t a = 0; a <= buffer.LastAddress(); ++a) before.push_back(buffer.GetByte(a));

    const zav::PasteResult result = zav::PasteText(buffer, text, cursor);
    Check(static_cast<std::size_t>(result.bytesPasted) * 2 <= text.size());
    Check(result.bytesPasted == 0 || result.nextAddress.has_value());
    Check(buffer.Undo().GroupCount() == (result.bytesPasted > 0 ? 1 : 0));
    for (std::int32_t a = 0; a <= buffer.LastAddress(); ++a) {
        const bool protectedCell = buffer.IsReadOnly(a) || buffer.IsUnimplemented(a);
        if (a < cursor || protectedCell) Check(buffer.GetByte(a) == before[static_cast<std::size_t>(a)]);
    }
    buffer.Undo().Undo();
    for (std::int32_t a = 0; a <= buffer.LastAddress(); ++a)
        Check(buffer.GetByte(a) == before[static_cast<std::size_t>(a)]);
    return 0;
}
