#pragma once

#include <QGlyphRun>
#include <QRawFont>

#include <array>
#include <vector>

class QPainter;

namespace zav {

// Collects the glyphs of one paint, one run per palette colour, and draws each run with one
// call: a screen of the editor is a few thousand glyphs in a handful of colours, and drawing
// them cell by cell would cost a text layout each.
class GlyphBatch {
public:
    static constexpr int kColourCount = 64;
    // The run drawn in the colour Draw is given rather than a palette colour.
    static constexpr int kOwnColourRun = kColourCount;

    // The glyph of every byte value (the character pane) or of every hex digit (the hex pane,
    // indices 0-15), looked up once per font. A character the font lacks is taken from
    // `fallback` where that has it, so that no byte shows as the font's empty box.
    void SetFont(const QRawFont& font, const QRawFont& fallback, const std::array<QChar, 256>& characters);
    [[nodiscard]] bool IsValid() const { return fonts_[0].isValid(); }
    // How many of the characters neither font has.
    [[nodiscard]] int MissingCount() const { return missing_; }

    void Add(int colourIndex, int character, QPointF baseline)
    {
        const Glyph& glyph = glyphs_[static_cast<std::size_t>(character)];
        Run& run = runs_[glyph.font][static_cast<std::size_t>(colourIndex)];
        run.glyphs.push_back(glyph.index);
        run.positions.push_back(baseline);
    }
    // Draws every collected run in its colour and empties the batch.
    void Draw(QPainter& painter, const QColor& ownColour);

private:
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    struct Glyph {
        std::size_t font = 0;
        quint32 index = 0;
    };

    // The pane's font, then the fallback.
    std::array<QRawFont, 2> fonts_;
    std::array<Glyph, 256> glyphs_{};
    int missing_ = 0;
    std::array<std::array<Run, kColourCount + 1>, 2> runs_;
    QGlyphRun glyphRun_;
};

} // namespace zav
