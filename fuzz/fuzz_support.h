#pragma once

#include <cstdlib>

#include "messages/message_boxes.h"

namespace zav::fuzzing {

// Counts the boxes a run shows and answers each with OK.
class CountingBoxes : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest&) override
    {
        ++shown;
        return BoxAnswer::Ok;
    }
    int shown = 0;
};

// A broken property ends the run as a crash, which libFuzzer keeps as a finding.
inline void Check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace zav::fuzzing
