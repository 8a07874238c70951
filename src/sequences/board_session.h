#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sequences/sequence_plan.h"

namespace zav {

class LinkEndpoint;
class LinkFactory;
class ProgrammerLink;
class SequenceHost;
struct ProgramSettings;

// A sequence's connection to the board: opening the device's link on its configured port,
// the reset and identification that follow, and the rule that a link failure is posted as
// an Error line. Lives on the worker thread; closes its link at the latest when destroyed.
class BoardSession {
public:
    BoardSession(SequenceHost& host, LinkFactory& links, const std::atomic<bool>& stopRequest);
    BoardSession(const BoardSession&) = delete;
    BoardSession& operator=(const BoardSession&) = delete;
    ~BoardSession();

    // Opens the link for the plan's device. On failure the error (and its cause, when the
    // link knows one, as a Warning) is posted and false returned.
    bool Open(const SequencePlan& plan, const ProgramSettings& settings);
    // Resets the target and identifies the board. False when that ended the sequence; its
    // message has then been posted.
    bool ResetAndIdentify(const SequencePlan& plan);
    // Posts the link's LastError as an Error and returns true when there is one. A ready wait
    // ended by the user's stop is no error and is not posted: the controller's
    // interruption line tells it.
    bool Failed();
    // After the worker waited for the user (a question, a jumper box): true when a stop came
    // meanwhile. Nothing may reach the board after such a stop.
    bool StoppedWhileWaiting();
    // Reads the plan's EEPROM cell by cell with the progress bar running from 0 and hands
    // each value to `take` before the bar moves on. False when a read failed.
    bool ReadEeprom(const SequencePlan& plan, const std::function<void(std::int32_t, std::uint8_t)>& take);
    [[nodiscard]] ProgrammerLink& Link() { return *link_; }
    // Whether an open, identification or link failure has been posted, or the user's stop
    // ended the sequence: either way no success may be reported.
    [[nodiscard]] bool ErrorPosted() const { return errorPosted_; }
    // Closes the link if one was opened.
    void Close();

private:
    bool Identify(const SequencePlan& plan);
    bool IdentifyTms(const SequencePlan& plan);
    // An older TMS board serves the 256-byte parts with another board code on a new link.
    bool SwitchToOlderBoard(std::uint8_t boardCode);
    void PostError(const std::string& text);

    SequenceHost& host_;
    LinkFactory& links_;
    const std::atomic<bool>& stopRequest_;
    std::string portName_;
    int delayCount_ = 0;
    int openingTries_ = 0;
    std::int64_t waitLimitMs_ = 0;
    // While identifying with a limit of tries: a ready wait that timed out is a failed try
    // (posted as a Warning) rather than the end of the sequence.
    bool retryTimedOutWaits_ = false;
    bool timedOutTry_ = false;
    // Declared before the links, which talk through it.
    std::unique_ptr<LinkEndpoint> ports_;
    std::unique_ptr<ProgrammerLink> link_;
    bool errorPosted_ = false;
};

} // namespace zav
