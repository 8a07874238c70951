// The --simulate list parser on arbitrary text: it must never crash, and a refused list
// must leave the options untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "boardsim/board_sim_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zav::BoardSimOptions options;
    std::string error;
    if (!zav::ParseBoardSimOptions(text, options, error)) {
        if (!(options == zav::BoardSimOptions{}) || error.empty()) std::abort();
    }
    return 0;
}
