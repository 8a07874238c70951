#pragma once

#include <atomic>
#include <cstdint>

#include "link/clock.h"
#include "platform/ftdi_parallel_port_io.h"

namespace zav {

// The link's clock for a port on an FTDI adapter: before any wait the adapter's queued
// writes go out, so a reset is held and a write settles with the lines where the protocol
// left them rather than changing after the wait.
class FlushingClock final : public Clock {
public:
    FlushingClock(Clock& inner, FtdiParallelPortIo& io) : inner_(inner), io_(io) {}

    void SleepMs(int milliseconds) override
    {
        io_.Flush();
        inner_.SleepMs(milliseconds);
    }
    bool SleepMsUnlessStopped(int milliseconds, const std::atomic<bool>& stop) override
    {
        io_.Flush();
        return inner_.SleepMsUnlessStopped(milliseconds, stop);
    }
    [[nodiscard]] std::int64_t NowUs() const override { return inner_.NowUs(); }

private:
    Clock& inner_;
    FtdiParallelPortIo& io_;
};

} // namespace zav
