#include "ui/buffer/glyph_batch.h"

#include <QPainter>

#include "buffer/numeric_helpers.h"
#include "ui/buffer/qt_colour.h"

namespace zav {

void GlyphBatch::SetFont(const QRawFont& font, const QRawFont& fallback, const std::array<QChar, 256>& characters)
{
    fonts_ = {font, fallback};
    missing_ = 0;
    for (std::size_t index = 0; index < characters.size(); ++index) {
        const QChar character = characters[index];
        const std::size_t source = font.supportsCharacter(character) || !fallback.supportsCharacter(character) ? 0 : 1;
        // A character neither font has a glyph for gets glyph 0, the font's "missing" box.
        const QList<quint32> found = fonts_[source].glyphIndexesForString(QString(character));
        glyphs_[index] = {source, found.isEmpty() ? 0 : found.front()};
        if (!fonts_[source].supportsCharacter(character)) ++missing_;
    }
}

void GlyphBatch::Draw(QPainter& painter, const QColor& ownColour)
{
    for (std::size_t font = 0; font < runs_.size(); ++font) {
        glyphRun_.setRawFont(fonts_[font]);
        for (std::size_t colour = 0; colour < runs_[font].size(); ++colour) {
            Run& run = runs_[font][colour];
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
}

} // namespace zav
