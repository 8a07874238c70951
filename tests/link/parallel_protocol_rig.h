#pragma once

#include <atomic>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "link/board_profile.h"
#include "link/link_context.h"
#include "link/parallel_board_protocol.h"
#include "link/parallel_port_io.h"

namespace zav::test {

// The parallel protocol on its own over a recording port or the simulated board, opened as
// the link opens it, for the bit-level primitives beneath the link's byte commands and the
// timing state the protocol keeps to itself.
class ParallelProtocolRig {
public:
    ParallelProtocolRig(ParallelPortIo& port, Clock& clock, const std::atomic<bool>& stop)
        : port_(port), context_(&clock)
    {
        context_.SetStopRequest(stop);
    }

    // Closes the protocol opened before, then opens LPTn for `code`.
    ParallelBoardProtocol& Open(std::uint8_t code, int delayCount = 0, int portNumber = 1)
    {
        if (protocol_) protocol_->Close();
        context_.lastError.clear();
        protocol_ = std::make_unique<ParallelBoardProtocol>(port_, BoardProfileFor(code), context_);
        std::string cause;
        EXPECT_EQ(protocol_->Open(portNumber, delayCount, cause), ParallelBoardProtocol::OpenOutcome::Open)
            << cause;
        return *protocol_;
    }
    [[nodiscard]] const std::string& LastError() const { return context_.lastError; }

private:
    ParallelPortIo& port_;
    LinkContext context_;
    std::unique_ptr<ParallelBoardProtocol> protocol_;
};

} // namespace zav::test
