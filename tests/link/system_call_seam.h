#pragma once

#include <cstdint>

// Stand-ins for the system calls behind libserialport and ppdev, built into the contract
// test program only, so the real port code runs where no serial or parallel hardware is:
// - libserialport describes a device through sysfs and refuses one without modem lines; with
//   the serial seam on, a pseudo-terminal looks like a native serial port to it and the
//   modem-line calls work on a fake register;
// - ppdev's register calls work, with the parallel seam on, on one fake port whose device
//   file can be any file.
namespace zav::test::seam {

void SetSerialSeam(bool on);
[[nodiscard]] int ModemLines();

struct FakeParport {
    std::uint8_t data = 0;
    std::uint8_t status = 0x78;
    std::uint8_t control = 0;
    bool claimed = false;
    bool exclusive = false;
    int registerCalls = 0;
};
void SetParallelSeam(bool on);
[[nodiscard]] FakeParport& Parport();

} // namespace zav::test::seam
