#pragma once

#include <string>
#include <vector>

namespace zav::testing {

// The twelve devices in the catalogue's order, written out here so that a test over every
// device notices a device lost from (or renamed in) the catalogue.
inline const std::vector<std::string> kDeviceNames{
    "MC68HC05B6",       "MC68HC705B16",     "MC68HC05L28",      "MC68HC11E9",
    "MC68HC11KA1",      "MC68HC11KA4",      "MC68HC11PA8",      "MC68HC11P2",
    "TMS370Cx5x (256)", "TMS370Cx5x (512)", "TMS375C006 (256)", "TMS375C006 (512)"};

} // namespace zav::testing
