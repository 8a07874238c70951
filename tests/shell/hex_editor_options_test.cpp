#include "shell/hex_editor_options.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

const std::vector<std::string> kFaces{"DejaVu Sans Mono", "system", "Terminal", "Courier New"};

TEST(HexEditorOptionsTest, ShowingSelectsTheCurrentFontsAndPaletteItems)
{
    HexEditorOptionsModel model(kFaces);
    model.SelectColour(OptionsColour::Work, 1);
    model.Show(EditorOptions{});
    // Face names compare without regard to case.
    EXPECT_EQ(model.LeftFont(), 1);
    EXPECT_EQ(model.RightFont(), 2);
    EXPECT_EQ(model.Colour(OptionsColour::Address), 21);
    EXPECT_EQ(model.Colour(OptionsColour::Work), 48);
    EXPECT_EQ(model.Colour(OptionsColour::Edited), 3);
    EXPECT_EQ(model.Colour(OptionsColour::Unimplemented), 58);
    EXPECT_EQ(model.Colour(OptionsColour::Background), 63);
    EXPECT_FALSE(model.ApplyEnabled());
}

TEST(HexEditorOptionsTest, AFaceThatIsNotInstalledLeavesItsListEmptyAndItsFontAlone)
{
    HexEditorOptionsModel model({"Courier New"});
    EditorOptions current;
    model.Show(current);
    EXPECT_EQ(model.LeftFont(), HexEditorOptionsModel::kNoSelection);
    EXPECT_EQ(model.Apply(current).leftFont, "System");
    EXPECT_EQ(model.Apply(current).rightFont, "Terminal");
}

TEST(HexEditorOptionsTest, ApplyGivesTheSelectedFontsAndColoursAndStaysEnabled)
{
    HexEditorOptionsModel model(kFaces);
    EditorOptions current;
    model.Show(current);
    model.SelectLeftFont(3);
    EXPECT_TRUE(model.ApplyEnabled());
    model.SelectColour(OptionsColour::Background, 0);
    model.SelectColour(OptionsColour::Edited, 12);
    model.SelectColour(OptionsColour::Unimplemented, 99);
    const EditorOptions applied = model.Apply(current);
    EXPECT_EQ(applied.leftFont, "Courier New");
    EXPECT_EQ(applied.rightFont, "Terminal");
    EXPECT_EQ(applied.colours.background, 0x000000u);
    EXPECT_EQ(applied.colours.edited, 0x00FF00u);
    EXPECT_EQ(applied.colours.unimplemented, 0xFFFFFFu);
    EXPECT_EQ(applied.colours.fixed, current.colours.fixed);
    EXPECT_TRUE(model.ApplyEnabled());
}

TEST(HexEditorOptionsTest, ApplyingWithoutChangesGivesTheSameOptions)
{
    HexEditorOptionsModel model(kFaces);
    EditorOptions current;
    current.leftFont = "Terminal";
    current.colours.fixed = 0xAA0055;
    model.Show(current);
    EXPECT_EQ(model.Apply(current), current);
}

} // namespace
} // namespace zav
