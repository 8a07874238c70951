#include "shell/hex_editor_options.h"

#include <algorithm>
#include <utility>

#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

bool SameFaceName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerCaseChar(x) == LowerCaseChar(y);
           });
}

std::size_t Slot(OptionsColour picker)
{
    return static_cast<std::size_t>(picker);
}

} // namespace

HexEditorOptionsModel::HexEditorOptionsModel(std::vector<std::string> fontFaces) : fontFaces_(std::move(fontFaces))
{
}

PaletteIndex HexEditorOptionsModel::Colour(OptionsColour picker) const
{
    return colours_[Slot(picker)];
}

int HexEditorOptionsModel::FindFace(const std::string& name) const
{
    const auto found = std::find_if(fontFaces_.begin(), fontFaces_.end(),
                                    [&name](const std::string& face) { return SameFaceName(face, name); });
    return found == fontFaces_.end() ? kNoSelection : static_cast<int>(found - fontFaces_.begin());
}

int HexEditorOptionsModel::ClampFont(int index) const
{
    return index >= 0 && index < static_cast<int>(fontFaces_.size()) ? index : kNoSelection;
}

void HexEditorOptionsModel::Show(const EditorOptions& current)
{
    leftFont_ = FindFace(current.leftFont);
    rightFont_ = FindFace(current.rightFont);
    const EditorColours& colours = current.colours;
    colours_[Slot(OptionsColour::Address)] = IndexFromColour(colours.fixed);
    colours_[Slot(OptionsColour::Work)] = IndexFromColour(colours.notEdited);
    colours_[Slot(OptionsColour::Edited)] = IndexFromColour(colours.edited);
    colours_[Slot(OptionsColour::Unimplemented)] = IndexFromColour(colours.unimplemented);
    colours_[Slot(OptionsColour::Background)] = IndexFromColour(colours.background);
    applyEnabled_ = false;
}

void HexEditorOptionsModel::SelectLeftFont(int index)
{
    leftFont_ = ClampFont(index);
    applyEnabled_ = true;
}

void HexEditorOptionsModel::SelectRightFont(int index)
{
    rightFont_ = ClampFont(index);
    applyEnabled_ = true;
}

void HexEditorOptionsModel::SelectColour(OptionsColour picker, int index)
{
    colours_[Slot(picker)] = static_cast<PaletteIndex>(std::clamp(index, 0, 63));
    applyEnabled_ = true;
}

EditorOptions HexEditorOptionsModel::Apply(const EditorOptions& current) const
{
    EditorOptions options = current;
    if (leftFont_ != kNoSelection) options.leftFont = fontFaces_[static_cast<std::size_t>(leftFont_)];
    if (rightFont_ != kNoSelection) options.rightFont = fontFaces_[static_cast<std::size_t>(rightFont_)];
    options.colours.fixed = ColourFromIndex(Colour(OptionsColour::Address));
    options.colours.notEdited = ColourFromIndex(Colour(OptionsColour::Work));
    options.colours.edited = ColourFromIndex(Colour(OptionsColour::Edited));
    options.colours.unimplemented = ColourFromIndex(Colour(OptionsColour::Unimplemented));
    options.colours.background = ColourFromIndex(Colour(OptionsColour::Background));
    return options;
}

} // namespace zav
