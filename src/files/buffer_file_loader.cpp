#include "files/buffer_file_loader.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "buffer/memory_buffer.h"
#include "files/file_record.h"
#include "files/intel_hex_record.h"
#include "files/line_reader.h"
#include "files/regular_file_input.h"
#include "files/s_record.h"
#include "files/x_record.h"
#include "messages/message_boxes.h"
#include "messages/status_sink.h"

namespace zav {

namespace {

constexpr std::size_t kBinaryChunkSize = 64 * 1024;
constexpr std::uint8_t kReadOnlyFlag = 0x80;
constexpr std::uint8_t kColourIndexBits = 0x7F;
// A file of nothing but broken lines would otherwise flood the status list without end.
constexpr int kMaxLineWarnings = 1000;

// A text carried in a record ends at its last byte or at its first zero byte.
std::string TextOf(std::span<const std::uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return {bytes.begin(), end};
}

std::string RecordName(FileFormat format)
{
    switch (format) {
    case FileFormat::ExtendedFormat:
        return "X";
    case FileFormat::IntelHex:
        return "Intel HEX";
    case FileFormat::MotorolaS:
    case FileFormat::Binary:
        break;
    }
    return "S";
}

// One load: the buffer, the options and the description row the next X2 record writes.
class BufferFileLoad {
public:
    BufferFileLoad(MemoryBuffer& buffer, const LoadOptions& options, StatusSink& status,
                   LoadCoverage* coverage, LoadReport& report)
        : buffer_(buffer), options_(options), status_(status), coverage_(coverage), report_(report)
    {
        if (coverage_ != nullptr)
            coverage_->assign(static_cast<std::size_t>(buffer_.LastAddress()) + 1, false);
        report_.lastAddress = buffer_.LastAddress();
    }

    // Whether the file was read to its end (or to its end record).
    bool Read(FileFormat format, std::istream& input)
    {
        report_.recordName = RecordName(format);
        switch (format) {
        case FileFormat::ExtendedFormat:
            return ReadExtendedFormat(input);
        case FileFormat::MotorolaS:
            return ReadMotorolaS(input);
        case FileFormat::Binary:
            return ReadBinary(input);
        case FileFormat::IntelHex:
            return ReadIntelHex(input);
        }
        return false;
    }

    // Hands each line to handle until it answers false (the file's end record): true then,
    // or once the lines ran out, unless reading failed.
    template <typename HandleLine> bool ReadLines(std::istream& input, HandleLine handle)
    {
        LineReader reader(input);
        std::string line;
        lineNumber_ = 0;
        while (reader.Next(line)) {
            ++lineNumber_;
            if (!handle(line)) return true;
        }
        return !reader.ReadFailed();
    }

    bool ReadExtendedFormat(std::istream& input)
    {
        FileRecord record;
        return ReadLines(input, [&](const std::string& line) {
            const bool parsed = ParseXLine(line, record);
            if (!parsed || !ApplyXRecord(record)) {
                const bool known =
                    parsed && (record.type == "X0" || record.type == "X1" || record.type == "X2" ||
                               record.type == "X3" || record.type == "X7");
                WarnUnrecognized("Unrecognized Line in X file !", line, parsed && !known ? record.type : "");
            }
            return true;
        });
    }

    bool ReadMotorolaS(std::istream& input)
    {
        FileRecord record;
        return ReadLines(input, [&](const std::string& line) {
            const bool parsed = ParseSLine(line, record);
            if (parsed && (record.type == "S8" || record.type == "S9")) return false;
            if (!parsed || !ApplySRecord(record)) {
                // S5 and S6 count records, and S7 which ends S3 data, carry no data of their own.
                const bool withoutData =
                    parsed && (record.type == "S5" || record.type == "S6" || record.type == "S7");
                WarnUnrecognized("Unrecognized Line in S file !", line, parsed ? record.type : "",
                                 withoutData);
            }
            return true;
        });
    }

    // Extended address records move the base of the data records that follow: a segment
    // base keeps each record's addresses inside its 64 KiB segment, a linear base does not.
    bool ReadIntelHex(std::istream& input)
    {
        IntelHexRecord record;
        std::uint32_t base = 0;
        bool segmented = false;
        return ReadLines(input, [&](const std::string& line) {
            if (!ParseIntelHexLine(line, record)) {
                WarnUnrecognized("Unrecognized Line in Intel HEX file !", line);
                return true;
            }
            switch (static_cast<IntelHexType>(record.type)) {
            case IntelHexType::Data:
                for (std::size_t i = 0; i < record.data.size(); ++i) {
                    const std::uint32_t offset = record.address + static_cast<std::uint32_t>(i);
                    const std::uint32_t address = base + (segmented ? offset & 0xFFFFU : offset);
                    Store(std::int64_t{address}, record.data[i]);
                }
                break;
            case IntelHexType::EndOfFile:
                return false;
            case IntelHexType::ExtendedSegmentAddress:
            case IntelHexType::ExtendedLinearAddress:
                if (record.data.size() != 2) {
                    WarnUnrecognized("Unrecognized Line in Intel HEX file !", line);
                    break;
                }
                segmented = record.type == static_cast<std::uint8_t>(IntelHexType::ExtendedSegmentAddress);
                base = std::uint32_t{record.data[0]} << 8 | record.data[1];
                base <<= segmented ? 4 : 16;
                break;
            case IntelHexType::StartSegmentAddress:
            case IntelHexType::StartLinearAddress:
                // Where a program starts means nothing to a memory image.
                break;
            default:
                WarnUnrecognized("Unrecognized Line in Intel HEX file !", line);
                break;
            }
            return true;
        });
    }

    bool ReadBinary(std::istream& input)
    {
        std::vector<char> chunk(kBinaryChunkSize);
        std::int64_t fileAddress = 0;
        // Nothing past the highest file address can be stored, so reading stops there.
        while (fileAddress <= std::int64_t{options_.highFileAddress}) {
            input.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            const auto length = static_cast<std::size_t>(input.gcount());
            for (std::size_t i = 0; i < length; ++i) {
                Store(fileAddress + static_cast<std::int64_t>(i), static_cast<std::uint8_t>(chunk[i]));
            }
            fileAddress += static_cast<std::int64_t>(length);
            if (length < chunk.size()) break;
        }
        return !input.bad();
    }

    // The warnings left out after the first kMaxLineWarnings, as one line.
    void ReportUnlistedWarnings()
    {
        if (unlistedWarnings_ == 0) return;
        status_.AddStatusMessage("... " + std::to_string(unlistedWarnings_) + " more unrecognized lines",
                                 StatusKind::Warning);
    }

private:
    // Counts a line not read: blank, of a record type this reader does not take (`type`), or
    // no valid record at all (`type` empty).
    void WarnUnrecognized(const char* text, const std::string& line, const std::string& type = "",
                          bool withoutData = false)
    {
        ++report_.linesNotRead;
        if (line.empty()) {
            ++report_.blankLinesNotRead;
        } else if (withoutData) {
            ++report_.linesWithoutData;
        } else if (report_.firstLostLine == 0) {
            report_.firstLostLine = lineNumber_;
        }
        if (!type.empty()) {
            ++report_.linesOfTypesNotRead;
            std::vector<std::string>& types = report_.typesNotRead;
            if (std::find(types.begin(), types.end(), type) == types.end()) {
                // A hostile file could bring thousands of types; the summary stays one line.
                if (types.size() < LoadReport::kMaxTypesNamed) {
                    types.push_back(type);
                } else {
                    report_.moreTypesNotRead = true;
                }
            }
        }
        if (listedWarnings_ < kMaxLineWarnings) {
            ++listedWarnings_;
            status_.AddStatusMessage(text, StatusKind::Warning);
            return;
        }
        ++unlistedWarnings_;
    }

    bool ApplyXRecord(const FileRecord& record)
    {
        Description& description = buffer_.Descriptions();
        if (record.type == "X0") {
            description.SetProjectName(TextOf(record.data));
        } else if (record.type == "X1") {
            description.SetDeviceName(TextOf(record.data));
        } else if (record.type == "X2") {
            // The writer always puts the flags byte first; a record without it describes nothing.
            if (record.data.empty()) return false;
            const std::uint8_t flags = record.data.front();
            description.SetDescriptionRow(nextRow_++, static_cast<std::int32_t>(record.address),
                                          flags & kColourIndexBits, (flags & kReadOnlyFlag) != 0,
                                          TextOf(std::span(record.data).subspan(1)));
        } else if (record.type == "X3") {
            description.SetNotes(TextOf(record.data));
        } else if (record.type == "X7") {
            StoreData(record);
        } else {
            return false;
        }
        return true;
    }

    bool ApplySRecord(const FileRecord& record)
    {
        if (record.type == "S0") {
            buffer_.Descriptions().SetProjectName(TextOf(record.data));
        } else if (record.type == "S1" || record.type == "S2") {
            StoreData(record);
        } else {
            return false;
        }
        return true;
    }

    void StoreData(const FileRecord& record)
    {
        for (std::size_t i = 0; i < record.data.size(); ++i) {
            Store(std::int64_t{record.address} + static_cast<std::int64_t>(i), record.data[i]);
        }
    }

    void Store(std::int64_t fileAddress, std::uint8_t value)
    {
        if (fileAddress < std::int64_t{options_.lowFileAddress} ||
            fileAddress > std::int64_t{options_.highFileAddress}) {
            return;
        }
        const std::int64_t bufferAddress = fileAddress + options_.offset;
        if (bufferAddress < 0) {
            report_.belowBuffer.Add(fileAddress);
            return;
        }
        if (bufferAddress > buffer_.LastAddress()) {
            report_.beyondBuffer.Add(fileAddress);
            return;
        }
        ++report_.bytesLoaded;
        buffer_.SetByte(static_cast<std::int32_t>(bufferAddress), value);
        if (coverage_ != nullptr) (*coverage_)[static_cast<std::size_t>(bufferAddress)] = true;
    }

    MemoryBuffer& buffer_;
    const LoadOptions& options_;
    StatusSink& status_;
    LoadCoverage* coverage_;
    LoadReport& report_;
    std::int64_t lineNumber_ = 0;
    int nextRow_ = 0;
    int listedWarnings_ = 0;
    std::int64_t unlistedWarnings_ = 0;
};

void ClearBuffer(MemoryBuffer& buffer, ClearMode mode, StatusSink& status)
{
    if (mode == ClearMode::None) return;
    const std::uint8_t value = mode == ClearMode::Zeros ? 0x00 : 0xFF;
    for (std::int32_t address = 0; address <= buffer.LastAddress(); ++address) {
        buffer.SetByte(address, value);
    }
    status.AddStatusMessage(std::string("Buffer Cleared with ") +
                                (mode == ClearMode::Zeros ? "0x00" : "0xFF"),
                            StatusKind::Normal);
}

} // namespace

bool LoadBufferStream(std::istream& input, const std::string& name, FileFormat format,
                      const LoadOptions& options, MemoryBuffer& buffer, StatusSink& status,
                      LoadCoverage* coverage, LoadReport* report)
{
    LoadReport ownReport;
    LoadReport& taken = report != nullptr ? *report : ownReport;
    taken = LoadReport{};
    buffer.Descriptions().ClearDescription();
    bool readToEnd = false;
    {
        const MemoryBuffer::BulkUpdate update(buffer);
        ClearBuffer(buffer, options.clearMode, status);
        status.AddStatusMessage("Reading file : " + name, StatusKind::Normal);

        BufferFileLoad load(buffer, options, status, coverage, taken);
        readToEnd = load.Read(format, input);
        load.ReportUnlistedWarnings();
        if (const std::string summary = taken.Summary(); !summary.empty())
            status.AddStatusMessage(summary, StatusKind::Warning);
        if (!readToEnd) status.AddStatusMessage("Read file failed : " + name, StatusKind::Error);
    }
    return readToEnd;
}

bool LoadBufferFile(const std::filesystem::path& path, FileFormat format, const LoadOptions& options,
                    MemoryBuffer& buffer, StatusSink& status, MessageBoxes& boxes)
{
    std::ifstream input;
    std::string kind;
    if (!OpenRegularFile(path, input, kind)) {
        boxes.ShowError(NotLoadableText(path.string(), kind));
        return false;
    }
    return LoadBufferStream(input, path.string(), format, options, buffer, status);
}

} // namespace zav
