#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zav {

class MemoryBuffer;

// The outcome of a paste: how many cells it wrote (or tried to: read-only and unimplemented
// cells keep their values) and where the cursor goes, if anywhere.
struct PasteResult {
    int bytesPasted = 0;
    // The cell after the last pasted byte of the last line; empty when the text was too
    // short to paste anything and the cursor stays.
    std::optional<std::int32_t> nextAddress;

    bool operator==(const PasteResult&) const = default;
};

// The most of a clipboard text a paste reads: four characters per address, less one.
inline constexpr std::size_t kPasteTextLimit = 4 * 0xFFFF - 1;

// Pastes hex text as Copy writes it, starting at the cursor. Blanks are skipped; CR LF (or LF
// alone, as Linux programs end lines) starts the next line 16 addresses on, in the cursor's column, so a copied block keeps its shape;
// every other pair must be two upper-case hex digits. The scan stops at the first pair that
// is not, at a lone CR or trailing character, or past the end of the buffer; what was pasted
// before stays, as one undo step.
PasteResult PasteText(MemoryBuffer& buffer, std::string_view text, std::int32_t cursorAddress);

} // namespace zav
