#include "buffer/ui/glyph_batch.h"

#include <QPainter>

#include "buffer/numeric_helpers.h"
#include "buffer/ui/qt_colour.h"

namespace zav {

void GlyphBatch::SetFont(const QRawFont& font, const std::array<QChar, 256>& characters)
{
    font_ = font;
    glyphRun_.setRawFont(font_);
    for (std::size_t index = 0; index < characters.size(); ++index) {
        const QChar character = characters[index];
        // A character the font has no glyph for gets glyph 0, the font's "missing" box.
        const QList<quint32> found = font_.glyphIndexesForString(QString(character));
        glyphs_[index] = found.isEmpty() ? 0 : found.front();
    }
}

void GlyphBatch::Draw(QPainter& painter, const QColor& ownColour)
{
    for (std::size_t colour = 0; colour < runs_.size(); ++colour) {
        Run& run = runs_[colour];
        if (run.glyphs.isEmpty()) continue;
        glyphRun_.setGlyphIndexes(run.glyphs);
        glyphRun_.setPositions(run.positions);
        painter.setPen(colour == kOwnColourRun ? ownColour
                                               : ToQColor(ColourFromIndex(static_cast<PaletteIndex>(colour))));
        painter.drawGlyphRun(QPointF(0, 0), glyphRun_);
        run.glyphs.clear();
        run.positions.clear();
    }
}

} // namespace zav
