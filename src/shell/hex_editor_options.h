#pragma once

#include <array>
#include <string>
#include <vector>

#include "buffer/colour.h"
#include "shell/app_settings.h"

namespace zav {

// The five colour pickers of the "Hex Editor Options" dialog, top to bottom.
enum class OptionsColour { Address, Work, Edited, Unimplemented, Background };
inline constexpr int kOptionsColourCount = 5;

// The "Hex Editor Options" dialog: two font lists over the installed faces and five
// 64-colour pickers. Every showing reads the editor's current options; Apply and OK hand the
// edited options to the editor, and what was applied stays, also when the dialog is then
// cancelled.
class HexEditorOptionsModel {
public:
    static constexpr int kNoSelection = -1;

    // The installed font faces, in the order the system lists them, taken once.
    explicit HexEditorOptionsModel(std::vector<std::string> fontFaces);

    [[nodiscard]] const std::vector<std::string>& FontFaces() const { return fontFaces_; }
    [[nodiscard]] int LeftFont() const { return leftFont_; }
    [[nodiscard]] int RightFont() const { return rightFont_; }
    [[nodiscard]] PaletteIndex Colour(OptionsColour picker) const;
    [[nodiscard]] bool ApplyEnabled() const { return applyEnabled_; }

    // Selects each font whose face name equals the option's (letters compared without regard
    // to case; none when it is not installed) and the palette item of each colour. Apply is
    // disabled until something changes.
    void Show(const EditorOptions& current);

    // Any change of a selection enables Apply.
    void SelectLeftFont(int index);
    void SelectRightFont(int index);
    void SelectColour(OptionsColour picker, int index);

    // The options Apply and OK give the editor: the current ones with the selected faces (a
    // list without selection keeps its font) and the selected colours. Apply stays enabled.
    [[nodiscard]] EditorOptions Apply(const EditorOptions& current) const;

private:
    [[nodiscard]] int FindFace(const std::string& name) const;
    [[nodiscard]] int ClampFont(int index) const;

    std::vector<std::string> fontFaces_;
    int leftFont_ = kNoSelection;
    int rightFont_ = kNoSelection;
    std::array<PaletteIndex, kOptionsColourCount> colours_{};
    bool applyEnabled_ = false;
};

} // namespace zav
