#include "system_call_seam.h"

#include <dlfcn.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string_view>

namespace zav::test::seam {
namespace {

bool serialSeam = false;
bool parallelSeam = false;
int modemLines = 0;
FakeParport parport;

constexpr std::string_view kPtyClassPath = "/sys/class/tty/pts/";

bool IsPtyClassPath(const char* path)
{
    return serialSeam && std::string_view(path).starts_with(kPtyClassPath);
}

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// A modem-line request on the fake register; false for any other request.
bool ModemLineCall(unsigned long request, int* bits)
{
    switch (request) {
    case TIOCMGET:
        *bits = modemLines;
        return true;
    case TIOCMSET:
        modemLines = *bits;
        return true;
    case TIOCMBIS:
        modemLines |= *bits;
        return true;
    case TIOCMBIC:
        modemLines &= ~*bits;
        return true;
    default:
        return false;
    }
}

// A ppdev request on the fake port; -1 for a request that is not ppdev's.
int ParportCall(unsigned long request, unsigned char* value)
{
    switch (request) {
    case PPEXCL:
        parport.exclusive = true;
        return 0;
    case PPCLAIM:
        if (parport.claimed) return errno = EBUSY, -1;
        parport.claimed = true;
        return 0;
    case PPRELEASE:
        parport.claimed = false;
        parport.exclusive = false;
        return 0;
    default:
        break;
    }
    if (!parport.claimed) return errno = EINVAL, -1;
    ++parport.registerCalls;
    switch (request) {
    case PPRDATA:
        *value = parport.data;
        return 0;
    case PPWDATA:
        parport.data = *value;
        return 0;
    case PPRSTATUS:
        *value = parport.status;
        return 0;
    case PPRCONTROL:
        *value = parport.control;
        return 0;
    case PPWCONTROL:
        parport.control = *value;
        return 0;
    default:
        return errno = ENOTTY, -1;
    }
}

bool IsParportRequest(unsigned long request)
{
    constexpr unsigned long kRequests[] = {PPEXCL, PPCLAIM, PPRELEASE, PPRDATA, PPWDATA, PPRSTATUS, PPRCONTROL,
                                           PPWCONTROL};
    return std::find(std::begin(kRequests), std::end(kRequests), request) != std::end(kRequests);
}

} // namespace

void SetSerialSeam(bool on)
{
    serialSeam = on;
    modemLines = 0;
}

int ModemLines()
{
    return modemLines;
}

void SetParallelSeam(bool on)
{
    parallelSeam = on;
    parport = FakeParport{};
}

FakeParport& Parport()
{
    return parport;
}

} // namespace zav::test::seam

using namespace zav::test::seam;

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (serialSeam && ModemLineCall(request, static_cast<int*>(argument))) return 0;
    if (parallelSeam && IsParportRequest(request)) return ParportCall(request, static_cast<unsigned char*>(argument));
    using Call = int (*)(int, unsigned long, ...);
    static const auto real = Real<Call>("ioctl");
    return real(fd, request, argument);
}

// libserialport finds a port's kind through its class link in sysfs, which a pseudo-terminal
// has not: it gets one that reads as a native port.
extern "C" int __lxstat(int version, const char* path, struct stat* info)
{
    if (IsPtyClassPath(path)) {
        std::memset(info, 0, sizeof *info);
        info->st_mode = S_IFLNK | 0777;
        return 0;
    }
    using Call = int (*)(int, const char*, struct stat*);
    static const auto real = Real<Call>("__lxstat");
    return real(version, path, info);
}

extern "C" ssize_t readlink(const char* path, char* buffer, size_t size)
{
    if (IsPtyClassPath(path)) {
        constexpr std::string_view kNative = "../../devices/virtual/tty/pts";
        const std::size_t length = std::min(size, kNative.size());
        std::memcpy(buffer, kNative.data(), length);
        return static_cast<ssize_t>(length);
    }
    using Call = ssize_t (*)(const char*, char*, size_t);
    static const auto real = Real<Call>("readlink");
    return real(path, buffer, size);
}
