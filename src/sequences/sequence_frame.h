#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "sequences/board_session.h"
#include "sequences/prog_bar_sim_th.h"
#include "sequences/sequence_host.h"
#include "sequences/sequence_plan.h"

namespace zav {

class LinkFactory;

// What the read and the program sequence do around their steps, on the worker thread: take
// the port, post the start line, run the progress-bar simulation until the board answers;
// at the end stop it, reset the progress bar, put the Start button up, close the link and
// free the port. The end also runs when a step threw, so the simulation never outlives the
// sequence and the port is never left busy.
class SequenceFrame {
public:
    SequenceFrame(SequenceHost& host, LinkFactory& links, const std::atomic<bool>& stopRequest, SequenceKind kind,
                  const char* startLine);
    SequenceFrame(const SequenceFrame&) = delete;
    SequenceFrame& operator=(const SequenceFrame&) = delete;
    ~SequenceFrame();

    [[nodiscard]] BoardSession& Session() { return session_; }

    enum class BoardStart { NoDevice, Failed, Ready };
    // The device field's plan into `plan`; with one, opens the link on its port, resets the
    // target and identifies the board, then stops the simulation. NoDevice when no device is
    // selected (a sequence with nothing to do completes), Failed once an error was posted.
    [[nodiscard]] BoardStart StartBoard(std::optional<SequencePlan>& plan);
    // Once the board has answered, the progress bar shows real progress instead.
    void StopSimulation();
    // The common end; later calls do nothing.
    void End();

private:
    SequenceHost& host_;
    SequenceKind kind_;
    std::unique_ptr<ProgBarSimTh> simulation_;
    BoardSession session_;
    bool ended_ = false;
};

} // namespace zav
