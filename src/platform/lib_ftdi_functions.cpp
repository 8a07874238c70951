#include "platform/lib_ftdi_functions.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace zav {

namespace {

constexpr const char* kLoadFailure = "USB adapter support could not be loaded: ";

std::string LastLoaderError(const std::string& fallback)
{
    const char* error = dlerror();
    return error != nullptr ? error : fallback;
}

template <typename Function>
bool Resolve(void* library, const char* name, Function& function, std::string& failure)
{
    dlerror();
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) {
        failure = kLoadFailure + LastLoaderError(std::string("no function ") + name);
        return false;
    }
    function = reinterpret_cast<Function>(symbol);
    return true;
}

std::shared_ptr<const LibFtdiFunctions> Load(const std::string& library, std::string& failure)
{
    // Never closed: libusb keeps state for the program's life, and a connection still open
    // must find the library's code where it was.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        failure = kLoadFailure + LastLoaderError(library + ": cannot be loaded");
        return nullptr;
    }
    auto functions = std::make_shared<LibFtdiFunctions>();
    const bool resolved = Resolve(handle, "ftdi_new", functions->newContext, failure) &&
                          Resolve(handle, "ftdi_free", functions->freeContext, failure) &&
                          Resolve(handle, "ftdi_set_interface", functions->setInterface, failure) &&
                          Resolve(handle, "ftdi_usb_open_bus_addr", functions->openBusAddress, failure) &&
                          Resolve(handle, "ftdi_usb_close", functions->close, failure) &&
                          Resolve(handle, "ftdi_usb_reset", functions->reset, failure) &&
                          Resolve(handle, "ftdi_tcioflush", functions->flushBuffers, failure) &&
                          Resolve(handle, "ftdi_set_latency_timer", functions->setLatencyTimer, failure) &&
                          Resolve(handle, "ftdi_set_baudrate", functions->setBaudRate, failure) &&
                          Resolve(handle, "ftdi_set_bitmode", functions->setBitMode, failure) &&
                          Resolve(handle, "ftdi_write_data", functions->writeData, failure) &&
                          Resolve(handle, "ftdi_read_data", functions->readData, failure) &&
                          Resolve(handle, "ftdi_get_error_string", functions->errorString, failure);
    if (!resolved) return nullptr;
    return functions;
}

} // namespace

std::shared_ptr<const LibFtdiFunctions> LoadLibFtdi(const std::string& library, std::string& failure)
{
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const LibFtdiFunctions>> loaded;
    std::lock_guard lock(mutex);
    std::shared_ptr<const LibFtdiFunctions>& functions = loaded[library];
    if (!functions) functions = Load(library, failure);
    if (functions) failure.clear();
    return functions;
}

} // namespace zav
