#include "widgets/latin1_text.h"

namespace zav {

QString FromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString TakeOutsideLatin1(QString& text)
{
    QString taken;
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the Basic Multilingual Plane is a surrogate pair: one character.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (character.size() == 1 && character[0].unicode() <= 0xFF) {
            kept += character;
        } else if (!taken.contains(character)) {
            taken += character;
        }
    }
    if (!taken.isEmpty()) text = kept;
    return taken;
}

} // namespace zav
