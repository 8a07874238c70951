#include "files/buffer_file_content.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "buffer/address_range.h"
#include "buffer/memory_buffer.h"
#include "files/intel_hex_record.h"
#include "files/s_record.h"
#include "files/x_record.h"

namespace zav {

namespace {

constexpr std::size_t kXDataPerRecord = 32;
constexpr std::size_t kSDataPerRecord = 16;
constexpr std::size_t kIntelHexDataPerRecord = 16;
constexpr std::size_t kSHeaderNameLength = 200;
constexpr std::uint8_t kReadOnlyFlag = 0x80;
constexpr std::uint32_t kColourIndexMask = 0x3F;
constexpr std::string_view kLineEnd = "\r\n";

std::span<const std::uint8_t> BytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The options' range held inside the buffer, whatever the caller passed.
AddressRange RangeOf(const MemoryBuffer& buffer, const SaveOptions& options)
{
    return {std::max(options.lowAddress, 0), std::min(options.highAddress, buffer.LastAddress())};
}

// Calls emit(address, bytes) for each data record of the range: runs of at most `perRecord`
// consecutive cells, a run ending early before a skipped unimplemented cell.
template <typename Emit>
void ForEachDataRecord(const MemoryBuffer& buffer, const SaveOptions& options, std::size_t perRecord,
                       Emit emit)
{
    const AddressRange range = RangeOf(buffer, options);
    std::array<std::uint8_t, kXDataPerRecord> values{};
    std::int32_t address = range.first;
    while (address <= range.last) {
        std::size_t collected = 0;
        while (collected < perRecord) {
            const std::int32_t cell = address + static_cast<std::int32_t>(collected);
            if (cell > range.last || (!options.saveUnimplemented && buffer.IsUnimplemented(cell))) break;
            values[collected++] = buffer.GetByte(cell);
        }
        if (collected == 0) {
            ++address;
            continue;
        }
        emit(address, std::span<const std::uint8_t>(values.data(), collected));
        address += static_cast<std::int32_t>(collected);
    }
}

std::string TooLong(const std::string& what, std::size_t limit)
{
    return what + " longer than " + std::to_string(limit) + " bytes, more than an X record holds";
}

// Every text an X file carries must fit its record whole.
bool CheckXTexts(const Description& description, std::string& refusal)
{
    if (description.GetProjectName().size() > kMaxXRecordData) {
        refusal = TooLong("the project name is", kMaxXRecordData);
        return false;
    }
    if (description.GetDeviceName().size() > kMaxXRecordData) {
        refusal = TooLong("the device name is", kMaxXRecordData);
        return false;
    }
    if (description.GetNotes().size() > kMaxXRecordData) {
        refusal = TooLong("the notes are", kMaxXRecordData);
        return false;
    }
    for (int row = 0; row < description.GetDescriptionRowCount(); ++row) {
        if (description.RowNote(row).size() > kMaxXRecordData - 1) {
            refusal =
                TooLong("the note of description row " + std::to_string(row) + " is", kMaxXRecordData - 1);
            return false;
        }
    }
    return true;
}

void AppendExtendedFormat(const MemoryBuffer& buffer, const SaveOptions& options, std::string& content)
{
    const Description& description = buffer.Descriptions();
    auto addLine = [&content](std::string_view type, std::uint32_t address,
                              std::span<const std::uint8_t> data) {
        AppendXLine(content, type, address, data);
        content.append(kLineEnd);
    };
    addLine("X0", 0, BytesOf(description.GetProjectName()));
    addLine("X1", 0, BytesOf(description.GetDeviceName()));
    std::vector<std::uint8_t> rowData;
    for (int row = 0; row < description.GetDescriptionRowCount(); ++row) {
        const CellDescription cell = description.GetDescriptionRow(row);
        rowData.assign(1, static_cast<std::uint8_t>((cell.readOnly ? kReadOnlyFlag : 0) |
                                                    (cell.colourIndex & kColourIndexMask)));
        rowData.insert(rowData.end(), cell.note.begin(), cell.note.end());
        addLine("X2", static_cast<std::uint32_t>(cell.address), rowData);
    }
    addLine("X3", 0, BytesOf(description.GetNotes()));
    ForEachDataRecord(buffer, options, kXDataPerRecord,
                      [&](std::int32_t address, std::span<const std::uint8_t> values) {
                          addLine("X7", static_cast<std::uint32_t>(address), values);
                      });
}

void AppendMotorolaS(const MemoryBuffer& buffer, const SaveOptions& options, std::string& content)
{
    auto addLine = [&content](std::string_view type, std::uint32_t address,
                              std::span<const std::uint8_t> data) {
        AppendSLine(content, type, address, data);
        content.append(kLineEnd);
    };
    const std::string_view name = buffer.Descriptions().GetProjectName();
    addLine("S0", 0, BytesOf(name.substr(0, kSHeaderNameLength)));
    ForEachDataRecord(buffer, options, kSDataPerRecord,
                      [&](std::int32_t address, std::span<const std::uint8_t> values) {
                          addLine("S1", static_cast<std::uint32_t>(address), values);
                      });
    addLine("S9", 0, {});
}

// Buffer addresses fit 16 bits, so no extended address record is ever needed.
void AppendIntelHex(const MemoryBuffer& buffer, const SaveOptions& options, std::string& content)
{
    auto addLine = [&content](IntelHexType type, std::int32_t address, std::span<const std::uint8_t> data) {
        AppendIntelHexLine(content, type, static_cast<std::uint16_t>(address), data);
        content.append(kLineEnd);
    };
    ForEachDataRecord(buffer, options, kIntelHexDataPerRecord,
                      [&](std::int32_t address, std::span<const std::uint8_t> values) {
                          addLine(IntelHexType::Data, address, values);
                      });
    addLine(IntelHexType::EndOfFile, 0, {});
}

void AppendBinary(const MemoryBuffer& buffer, const SaveOptions& options, std::string& content)
{
    const AddressRange range = RangeOf(buffer, options);
    for (std::int32_t address = range.first; address <= range.last; ++address) {
        content.push_back(static_cast<char>(buffer.GetByte(address)));
    }
}

// Enough for the data lines of the range, so the content grows once.
std::size_t EstimatedSize(const MemoryBuffer& buffer, const SaveOptions& options)
{
    const AddressRange range = RangeOf(buffer, options);
    const std::size_t cells = range.last >= range.first ? static_cast<std::size_t>(range.Size()) : 0;
    return cells * 3 + 1024;
}

} // namespace

bool FormatBufferFile(const MemoryBuffer& buffer, FileFormat format, const SaveOptions& options,
                      std::string& content, std::string& refusal)
{
    content.clear();
    refusal.clear();
    content.reserve(EstimatedSize(buffer, options));
    switch (format) {
    case FileFormat::ExtendedFormat:
        if (!CheckXTexts(buffer.Descriptions(), refusal)) return false;
        AppendExtendedFormat(buffer, options, content);
        break;
    case FileFormat::MotorolaS:
        AppendMotorolaS(buffer, options, content);
        break;
    case FileFormat::Binary:
        AppendBinary(buffer, options, content);
        break;
    case FileFormat::IntelHex:
        AppendIntelHex(buffer, options, content);
        break;
    }
    return true;
}

} // namespace zav
