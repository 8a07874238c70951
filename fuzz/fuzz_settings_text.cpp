// The settings file's reader on arbitrary contents: it must never crash, and whatever the
// file says, the delay and the window geometry end within their limits, each value noted
// as out of range being replaced by a limit; the warnings on what it holds amiss show no
// control character of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "link/delay_count.h"
#include "messages/printable_text.h"
#include "shell/app_settings.h"
#include "shell/settings_text_check.h"

namespace {

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

bool PlaceableBounds(const zav::WindowBounds& bounds)
{
    return Within(bounds.left, -32768, 32767) && Within(bounds.top, -32768, 32767) &&
           Within(bounds.height, 0, 32767) && Within(bounds.width, 0, 32767);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zav::AppSettings settings;
    std::vector<zav::SettingOutOfRange> outOfRange;
    (void)zav::ApplySettingsText(text, settings, nullptr, &outOfRange);
    if (!Within(settings.program.lptDelay, zav::kMinDelayCount, zav::kMaxDelayCount)) std::abort();
    if (!PlaceableBounds(settings.mainWindow) || !PlaceableBounds(settings.layout.editor) ||
        !PlaceableBounds(settings.layout.description) || !Within(settings.layout.editorPaneWidth, 0, 32767)) {
        std::abort();
    }
    for (const zav::SettingOutOfRange& noted : outOfRange) {
        if (noted.used != noted.low && noted.used != noted.high) std::abort();
    }
    for (const std::string& warning : zav::CheckSettingsText(text)) {
        if (zav::HoldsBinaryData(warning)) std::abort();
    }
    return 0;
}
