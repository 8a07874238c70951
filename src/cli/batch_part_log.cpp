#include "cli/batch_part_log.h"

#include <cstdio>
#include <ctime>

namespace zav {

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07U;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0U) != 0x80U) return 0;
        code = (code << 6) | (next & 0x3FU);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) return 0;
    return length;
}

std::string NullOr(const std::optional<std::string>& text)
{
    return text ? JsonString(*text) : "null";
}

} // namespace

const char* PartResultName(PartResult result)
{
    switch (result) {
    case PartResult::Ok:
        return "ok";
    case PartResult::VerifyFailed:
        return "verify-failed";
    case PartResult::Error:
        return "error";
    case PartResult::Stopped:
        break;
    }
    return "stopped";
}

std::string JsonString(const std::string& text)
{
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else if (c < 0x80) {
            json += static_cast<char>(c);
        } else if (const std::size_t length = Utf8SequenceLength(text, i); length != 0) {
            json.append(text, i, length);
            i += length;
            continue;
        } else {
            json += "\\ufffd";
        }
        ++i;
    }
    return json + "\"";
}

std::string IsoLocalTime(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() % 1000;
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local);
    // %z gives +0100; ISO 8601's extended form, which the rest of the stamp uses, is +01:00.
    const std::string offset(zone);
    char text[64];
    std::snprintf(text, sizeof text, "%s.%03d%s:%s", stamp,
                  static_cast<int>(millis < 0 ? millis + 1000 : millis), offset.substr(0, 3).c_str(),
                  offset.substr(3).c_str());
    return text;
}

std::string PartRecordLine(const PartRecord& record)
{
    std::string options = "[";
    for (std::size_t i = 0; i < record.options.size(); ++i) {
        if (i > 0) options += ",";
        options += JsonString(record.options[i]);
    }
    options += "]";
    std::string crc = "null";
    if (record.inputCrc32) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "\"%08x\"", *record.inputCrc32);
        crc = hex;
    }
    return "{\"time\":" + JsonString(IsoLocalTime(record.time)) + ",\"device\":" + JsonString(record.device) +
           ",\"port\":" + JsonString(record.port) + ",\"input_file\":" + JsonString(record.inputFile) +
           ",\"input_crc32\":" + crc + ",\"serial\":" + NullOr(record.serial) +
           ",\"backup_file\":" + NullOr(record.backupFile) + ",\"options\":" + options + ",\"result\":\"" +
           PartResultName(record.result) +
           "\",\"verify_differences\":" + std::to_string(record.verifyDifferences) +
           ",\"error\":" + NullOr(record.errorLine) +
           ",\"duration_ms\":" + std::to_string(record.durationMs) + "}\n";
}

} // namespace zav
