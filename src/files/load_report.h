#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zav {

// Bytes of a file that landed on one side outside the buffer, and the file addresses they had.
struct DroppedBytes {
    std::int64_t count = 0;
    std::int64_t firstFileAddress = 0;
    std::int64_t lastFileAddress = 0;

    void Add(std::int64_t fileAddress);
};

// What a load took from a file and what it left out, so neither the window nor the tool
// reports a file as read when little or nothing of it was.
struct LoadReport {
    // Data bytes that reached a buffer address (an unimplemented cell included).
    std::int64_t bytesLoaded = 0;
    std::int64_t linesNotRead = 0;
    // Of the lines not read: those with nothing on them, and those of record types this
    // reader does not take, which carry no data (an S5 count, an S7 end record).
    std::int64_t blankLinesNotRead = 0;
    std::int64_t linesWithoutData = 0;
    // Record types met that this reader does not take ("S3"), in the order met, up to
    // kMaxTypesNamed; moreTypesNotRead when there were others.
    static constexpr std::size_t kMaxTypesNamed = 8;
    std::vector<std::string> typesNotRead;
    bool moreTypesNotRead = false;
    std::int64_t linesOfTypesNotRead = 0;
    // The first line that may have carried data and was not read, counted from 1; 0: none.
    std::int64_t firstLostLine = 0;
    // Bytes of the load range whose buffer address fell below 0 or beyond the last one.
    DroppedBytes belowBuffer;
    DroppedBytes beyondBuffer;
    std::int32_t lastAddress = 0xFFFF;
    // How the messages name a record of the format: "S", "X", "Intel HEX".
    std::string recordName = "S";

    // Lines that may have carried data, not read.
    [[nodiscard]] std::int64_t DataLinesNotRead() const
    {
        return linesNotRead - blankLinesNotRead - linesWithoutData;
    }
    [[nodiscard]] std::int64_t BytesOutsideBuffer() const { return belowBuffer.count + beyondBuffer.count; }
    // Whether something of the file that may be data did not reach the buffer.
    [[nodiscard]] bool DataDropped() const { return DataLinesNotRead() > 0 || BytesOutsideBuffer() > 0; }

    // One line after the per-line warnings, empty when the file was taken whole:
    // "No data loaded; 3 lines not read: S3 records are not read; 4 bytes beyond 0xFFFF not
    // loaded (file addresses 0x00FFFE-0x010001)".
    [[nodiscard]] std::string Summary() const;
    // What of DataDropped was lost, and where: "2 lines that may hold data not read (first at
    // line 3); 4 bytes beyond 0xFFFF not loaded (file addresses 0x00FFFE-0x010001)".
    [[nodiscard]] std::string LostText() const;
};

} // namespace zav
