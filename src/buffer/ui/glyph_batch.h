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
    // indices 0-15), looked up once per font.
    void SetFont(const QRawFont& font, const std::array<QChar, 256>& characters);
    [[nodiscard]] bool IsValid() const { return font_.isValid(); }

    void Add(int colourIndex, int character, QPointF baseline)
    {
        Run& run = runs_[static_cast<std::size_t>(colourIndex)];
        run.glyphs.push_back(glyphs_[static_cast<std::size_t>(character)]);
        run.positions.push_back(baseline);
    }
    // Draws every collected run in its colour and empties the batch.
    void Draw(QPainter& painter, const QColor& ownColour);

private:
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    QRawFont font_;
    std::array<quint32, 256> glyphs_{};
    std::array<Run, kColourCount + 1> runs_;
    QGlyphRun glyphRun_;
};

} // namespace zav
