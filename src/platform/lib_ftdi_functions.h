#pragma once

#include <ftdi.h>

#include <memory>
#include <string>

namespace zav {

// The libftdi functions the adapter backend calls. They are looked up in the shared library
// when an adapter is first opened instead of being linked: libftdi brings libusb and libudev,
// which a program that never opens a USB adapter (most starts of zavprog) would otherwise load
// and relocate at start.
struct LibFtdiFunctions {
    decltype(&ftdi_new) newContext = nullptr;
    decltype(&ftdi_free) freeContext = nullptr;
    decltype(&ftdi_set_interface) setInterface = nullptr;
    decltype(&ftdi_usb_open_bus_addr) openBusAddress = nullptr;
    decltype(&ftdi_usb_close) close = nullptr;
    decltype(&ftdi_usb_reset) reset = nullptr;
    decltype(&ftdi_tcioflush) flushBuffers = nullptr;
    decltype(&ftdi_set_latency_timer) setLatencyTimer = nullptr;
    decltype(&ftdi_set_baudrate) setBaudRate = nullptr;
    decltype(&ftdi_set_bitmode) setBitMode = nullptr;
    decltype(&ftdi_write_data) writeData = nullptr;
    decltype(&ftdi_read_data) readData = nullptr;
    decltype(&ftdi_get_error_string) errorString = nullptr;
};

// The library the build was linked against, by its soname.
inline constexpr const char* kLibFtdiLibrary = ZAV_LIBFTDI_SONAME;

// The functions of `library` (a soname or a path), loaded on its first call and kept loaded
// for the life of the program; null when the library or one of its functions cannot be
// loaded, `failure` then saying why ("USB adapter support could not be loaded: ..."). A
// failed load is tried again on the next call, in case the library has been installed since.
[[nodiscard]] std::shared_ptr<const LibFtdiFunctions> LoadLibFtdi(const std::string& library, std::string& failure);

} // namespace zav
