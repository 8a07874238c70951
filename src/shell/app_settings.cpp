#include "shell/app_settings.h"

#include <algorithm>
#include <array>

#include "buffer/numeric_helpers.h"
#include "link/delay_count.h"

namespace zav {

namespace {

// Window geometry stays within what a window system can place (16-bit coordinates), so no
// sum of a stored position and size can overflow further on.
constexpr int kMinWindowCoordinate = -32768;
constexpr int kMaxWindowCoordinate = 32767;
constexpr int kMaxWindowExtent = 32767;

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerCaseChar(x) == LowerCaseChar(y);
           });
}

// Reads the keys in order and stops at the first bad integer.
class SettingsReader {
public:
    SettingsReader(std::string_view text, std::vector<SettingOutOfRange>* outOfRange)
        : lines_(SplitSettingsLines(text)), outOfRange_(outOfRange)
    {
    }

    [[nodiscard]] bool Failed() const { return error_.has_value(); }
    [[nodiscard]] const std::optional<std::string>& Error() const { return error_; }
    [[nodiscard]] const std::string& ErrorKey() const { return errorKey_; }

    void Text(std::string_view key, std::string& target)
    {
        if (Failed()) return;
        std::string value = FindSettingValue(lines_, key);
        if (!value.empty()) target = std::move(value);
    }

    template <typename Int> void Integer(std::string_view key, Int& target)
    {
        if (Failed()) return;
        const std::string value = FindSettingValue(lines_, key);
        if (value.empty()) return;
        const std::optional<std::int32_t> number = StringToInt(value);
        if (!number) {
            error_ = "'" + value + "' is not a valid integer value";
            errorKey_ = key;
            return;
        }
        target = static_cast<Int>(*number);
    }

    // An integer that must lie within [low, high]; beyond, the nearest limit is used and noted.
    void Ranged(std::string_view key, int& target, int low, int high)
    {
        const int before = target;
        Integer(key, target);
        if (target == before || (target >= low && target <= high)) return;
        const int used = std::clamp(target, low, high);
        if (outOfRange_ != nullptr) {
            outOfRange_->push_back({std::string(key), FindSettingValue(lines_, key), low, high, used});
        }
        target = used;
    }

    void Flag(std::string_view key, bool& target)
    {
        int number = target ? 1 : 0;
        Integer(key, number);
        target = number != 0;
    }

    void Colour(std::string_view key, zav::Colour& target)
    {
        int index = IndexFromColour(target);
        Integer(key, index);
        target = ColourFromIndex(static_cast<PaletteIndex>(index & 0x3F));
    }

    void Bounds(std::string_view prefix, WindowBounds& bounds)
    {
        const std::string p(prefix);
        Ranged(p + "_WIN_POS_LEFT", bounds.left, kMinWindowCoordinate, kMaxWindowCoordinate);
        Ranged(p + "_WIN_POS_TOP", bounds.top, kMinWindowCoordinate, kMaxWindowCoordinate);
        Ranged(p + "_WIN_POS_HEIGHT", bounds.height, 0, kMaxWindowExtent);
        Ranged(p + "_WIN_POS_WIDTH", bounds.width, 0, kMaxWindowExtent);
    }

    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    std::vector<SettingOutOfRange>* outOfRange_;
    std::optional<std::string> error_;
    std::string errorKey_;
};

class SettingsWriter {
public:
    void Line(std::string_view key, const std::string& value)
    {
        if (value.empty()) return;
        text_.append(key).append("=").append(value).append("\r\n");
    }
    void Line(std::string_view key, long long value) { Line(key, std::to_string(value)); }
    void Bounds(std::string_view prefix, const WindowBounds& bounds)
    {
        const std::string p(prefix);
        Line(p + "_WIN_POS_LEFT", bounds.left);
        Line(p + "_WIN_POS_TOP", bounds.top);
        Line(p + "_WIN_POS_HEIGHT", bounds.height);
        Line(p + "_WIN_POS_WIDTH", bounds.width);
    }
    [[nodiscard]] std::string Text() && { return std::move(text_); }

private:
    std::string text_;
};

} // namespace

std::vector<std::string> SplitSettingsLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string FindSettingValue(const std::vector<std::string>& lines, std::string_view key)
{
    // The last line wins, as in the ports map: a line added at the end of the file by hand
    // is the one that counts.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::size_t equals = line->find('=');
        if (equals == std::string::npos) continue;
        if (EqualsIgnoringCase(std::string_view(*line).substr(0, equals), key))
            return line->substr(equals + 1);
    }
    return {};
}

std::optional<std::string> ApplySettingsText(std::string_view text, AppSettings& settings,
                                             std::string* failedKey,
                                             std::vector<SettingOutOfRange>* outOfRange)
{
    SettingsReader reader(text, outOfRange);
    reader.Bounds("P", settings.mainWindow);

    // The editor and description geometry take effect together, once every key was read.
    WindowLayout layout = settings.layout;
    reader.Bounds("H", layout.editor);
    reader.Flag("H_WIN_VISIBLE", layout.editorVisible);
    reader.Ranged("H_SPLIT_POS_LEFT", layout.editorPaneWidth, 0, kMaxWindowExtent);
    reader.Bounds("E", layout.description);
    reader.Flag("E_WIN_VISIBLE", layout.descriptionVisible);
    if (!reader.Failed()) settings.layout = layout;

    // Font names apply at once; the colours only with the editor options at the end.
    EditorColours colours = settings.editor.colours;
    reader.Text("HE_LWIN_FONT", settings.editor.leftFont);
    reader.Text("HE_RWIN_FONT", settings.editor.rightFont);
    reader.Colour("HE_BG_COLOR", colours.background);
    reader.Colour("HE_FIX_COLOR", colours.fixed);
    reader.Colour("HE_NOFIX_COLOR", colours.notEdited);
    reader.Colour("HE_EDIT_COLOR", colours.edited);
    reader.Colour("HE_UIN_COLOR", colours.unimplemented);

    reader.Text("LPT_PORT", settings.program.lptPort);
    reader.Text("COM_PORT", settings.program.comPort);
    reader.Ranged("LPT_DELAY", settings.program.lptDelay, kMinDelayCount, kMaxDelayCount);
    int readyPin = settings.program.lptReadyPin;
    reader.Integer("LPT_READY_PIN", readyPin);
    int backup = settings.program.backupBeforeWrite ? 1 : 0;
    reader.Integer("BACKUP_BEFORE_WRITE", backup);
    if (reader.Failed()) {
        if (failedKey != nullptr) *failedKey = reader.ErrorKey();
        return reader.Error();
    }
    settings.program.lptReadyPin = static_cast<std::uint8_t>(readyPin & 0xFF);
    settings.program.backupBeforeWrite = backup != 0;
    settings.editor.colours = colours;

    for (int i = 0; i < 5; ++i) {
        std::string path = FindSettingValue(reader.Lines(), "LOF" + std::to_string(i));
        if (!path.empty()) settings.program.RecentFiles.push_back(std::move(path));
    }
    return std::nullopt;
}

std::string FormatSettingsText(const AppSettings& settings)
{
    SettingsWriter writer;
    writer.Bounds("P", settings.mainWindow);
    writer.Bounds("H", settings.layout.editor);
    writer.Line("H_WIN_VISIBLE", settings.layout.editorVisible ? 1 : 0);
    writer.Line("H_SPLIT_POS_LEFT", settings.layout.editorPaneWidth);
    writer.Bounds("E", settings.layout.description);
    writer.Line("E_WIN_VISIBLE", settings.layout.descriptionVisible ? 1 : 0);

    const EditorOptions& editor = settings.editor;
    writer.Line("HE_LWIN_FONT", editor.leftFont);
    writer.Line("HE_RWIN_FONT", editor.rightFont);
    writer.Line("HE_BG_COLOR", IndexFromColour(editor.colours.background));
    writer.Line("HE_FIX_COLOR", IndexFromColour(editor.colours.fixed));
    writer.Line("HE_NOFIX_COLOR", IndexFromColour(editor.colours.notEdited));
    writer.Line("HE_EDIT_COLOR", IndexFromColour(editor.colours.edited));
    writer.Line("HE_UIN_COLOR", IndexFromColour(editor.colours.unimplemented));

    const ProgramSettings& program = settings.program;
    writer.Line("LPT_PORT", program.lptPort);
    writer.Line("COM_PORT", program.comPort);
    writer.Line("LPT_DELAY", program.lptDelay);
    writer.Line("LPT_READY_PIN", program.lptReadyPin);
    if (!program.backupBeforeWrite) writer.Line("BACKUP_BEFORE_WRITE", 0);
    const std::size_t kept = std::min<std::size_t>(program.RecentFiles.size(), 5);
    for (std::size_t i = 0; i < kept; ++i) writer.Line("LOF" + std::to_string(i), program.RecentFiles[i]);
    return std::move(writer).Text();
}

void AddRecentFile(ProgramSettings& settings, const std::string& path)
{
    auto& files = settings.RecentFiles;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
}

} // namespace zav
