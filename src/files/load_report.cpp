#include "files/load_report.h"

#include <algorithm>
#include <cstdio>

#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

std::string Counted(std::int64_t count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// A file address: at least six digits, as the 24-bit addresses of the formats have.
std::string FileAddressText(std::int64_t address)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%06llX", static_cast<unsigned long long>(address));
    return text;
}

std::string DroppedText(const DroppedBytes& dropped, const std::string& side)
{
    std::string text = Counted(dropped.count, "byte ", "bytes ") + side + " not loaded (file address";
    if (dropped.firstFileAddress == dropped.lastFileAddress)
        return text + " " + FileAddressText(dropped.firstFileAddress) + ")";
    return text + "es " + FileAddressText(dropped.firstFileAddress) + "-" +
           FileAddressText(dropped.lastFileAddress) + ")";
}

std::string LinesText(const LoadReport& report)
{
    std::vector<std::string> reasons;
    if (!report.typesNotRead.empty()) {
        std::string types;
        for (const std::string& type : report.typesNotRead) types += (types.empty() ? "" : ", ") + type;
        reasons.push_back(types + (report.moreTypesNotRead ? " and other" : "") + " records are not read");
    }
    const std::int64_t broken = report.linesNotRead - report.blankLinesNotRead - report.linesOfTypesNotRead;
    if (broken > 0) {
        reasons.push_back(broken == 1
                              ? "1 is not a valid " + report.recordName + " record"
                              : std::to_string(broken) + " are not valid " + report.recordName + " records");
    }
    if (report.blankLinesNotRead > 0)
        reasons.push_back(std::to_string(report.blankLinesNotRead) +
                          (report.blankLinesNotRead == 1 ? " is" : " are") + " blank");
    std::string text = Counted(report.linesNotRead, "line", "lines") + " not read";
    for (std::size_t i = 0; i < reasons.size(); ++i) text += (i == 0 ? ": " : ", ") + reasons[i];
    if (report.firstLostLine > 0) text += " (first at line " + std::to_string(report.firstLostLine) + ")";
    return text;
}

// The bytes that fell outside the buffer, below and beyond; empty when none did.
std::string BytesText(const LoadReport& report)
{
    std::string text;
    if (report.belowBuffer.count > 0) text = DroppedText(report.belowBuffer, "below " + AddressText(0));
    if (report.beyondBuffer.count > 0) {
        text += (text.empty() ? "" : "; ") +
                DroppedText(report.beyondBuffer, "beyond " + AddressText(report.lastAddress));
    }
    return text;
}

std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
    return text;
}

} // namespace

void DroppedBytes::Add(std::int64_t fileAddress)
{
    if (count == 0) {
        firstFileAddress = fileAddress;
        lastFileAddress = fileAddress;
    } else {
        firstFileAddress = std::min(firstFileAddress, fileAddress);
        lastFileAddress = std::max(lastFileAddress, fileAddress);
    }
    ++count;
}

std::string LoadReport::Summary() const
{
    std::vector<std::string> parts;
    if (bytesLoaded == 0) parts.emplace_back("No data loaded");
    if (linesNotRead > 0) parts.push_back(LinesText(*this));
    if (const std::string bytes = BytesText(*this); !bytes.empty()) parts.push_back(bytes);
    return Joined(parts);
}

std::string LoadReport::LostText() const
{
    std::vector<std::string> parts;
    if (DataLinesNotRead() > 0) {
        parts.push_back(Counted(DataLinesNotRead(), "line that may hold data", "lines that may hold data") +
                        " not read (first at line " + std::to_string(firstLostLine) + ")");
    }
    if (const std::string bytes = BytesText(*this); !bytes.empty()) parts.push_back(bytes);
    return Joined(parts);
}

} // namespace zav
