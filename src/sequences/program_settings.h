#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/device_info.h"

namespace zav {

// The port settings and recent files: what a sequence opens its link with, and what the
// settings file keeps of them. The recent-file list may hold more than five paths in
// memory; only the first five are kept in the file.
struct ProgramSettings {
    std::string lptPort = "LPT1";
    std::string comPort = "COM1";
    std::int32_t lptDelay = 5;
    std::uint8_t lptReadyPin = 15;
    std::vector<std::string> RecentFiles;
    // How many times the board's identification is tried before the sequence gives up; 0
    // tries until the board answers or the user stops, as the window does. Not kept in the
    // file: zavtool's --tries sets it.
    int openingTries = 0;
    // The longest a single wait for the board's ready line may last, in milliseconds; 0
    // waits until it is ready or the user stops, as the window does. Not kept in the file:
    // zavtool's --timeout (or --tries, which limits each wait to 10 s) sets it.
    std::int64_t waitLimitMs = 0;
    // Whether a program sequence backs the part up before its first write. Kept in the file
    // only when off, the exception.
    bool backupBeforeWrite = true;

    // The stored port the boards of `kind` are programmed through.
    [[nodiscard]] std::string& PortFor(PortKind kind) { return kind == PortKind::Lpt ? lptPort : comPort; }
    [[nodiscard]] const std::string& PortFor(PortKind kind) const
    {
        return kind == PortKind::Lpt ? lptPort : comPort;
    }

    bool operator==(const ProgramSettings&) const = default;
};

} // namespace zav
