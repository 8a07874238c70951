#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

// How one part of a run ended.
enum class PartResult { Ok, VerifyFailed, Error, Stopped };

[[nodiscard]] const char* PartResultName(PartResult result);

// One part's record in the log, a JSON object on one line.
struct PartRecord {
    std::chrono::system_clock::time_point time;
    std::string device;
    std::string port;
    std::string inputFile;
    // The CRC-32 of the bytes the run read from it, standard input too; none when unknown.
    std::optional<std::uint32_t> inputCrc32;
    std::optional<std::string> serial;
    // The backup taken before the part was written; none when no backup was made.
    std::optional<std::string> backupFile;
    std::vector<std::string> options;
    PartResult result = PartResult::Ok;
    int verifyDifferences = 0;
    std::optional<std::string> errorLine;
    std::int64_t durationMs = 0;
};

// The record as one JSON Lines line, newline included: keys time (ISO 8601 with the local
// zone), device, port, input_file, input_crc32 (eight lower-case hexadecimal digits),
// serial, backup_file, options, result (ok, verify-failed, error, stopped),
// verify_differences, error, duration_ms; absent values are null.
[[nodiscard]] std::string PartRecordLine(const PartRecord& record);

// "2026-12-07T17:45:02.123+01:00": local time with its offset from UTC.
[[nodiscard]] std::string IsoLocalTime(std::chrono::system_clock::time_point time);

// A JSON string literal for text: quotes, backslashes and control characters escaped, and a
// byte that is not part of valid UTF-8 replaced by U+FFFD, so any file name gives valid JSON.
[[nodiscard]] std::string JsonString(const std::string& text);

} // namespace zav
