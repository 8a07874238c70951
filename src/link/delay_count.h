#pragma once

namespace zav {

// The port timing delay, "Fast" 0 to "Slow" 50: how many port writes long each half of a
// clock pulse is, less one. The Ports Setup dialog, zavtool's --delay, the settings file
// and the link itself all keep it within these limits.
inline constexpr int kMinDelayCount = 0;
inline constexpr int kMaxDelayCount = 50;

} // namespace zav
