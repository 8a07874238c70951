#include "ui/shell/raster_icon.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <map>

namespace zav {

namespace {

constexpr std::array kSizes{ZAV_RASTER_ICON_SIZES};

QString PicturePath(const QString& name, int size)
{
    return QStringLiteral(":/icons/raster/") + name + QLatin1Char('-') + QString::number(size) +
           QStringLiteral(".argb");
}

// The smallest picture at least `pixels` wide, else the largest.
int SizeFor(int pixels)
{
    for (const int size : kSizes) {
        if (size >= pixels) return size;
    }
    return kSizes.back();
}

class RasterIconEngine final : public QIconEngine {
public:
    explicit RasterIconEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const int pixels = qRound(std::max(size.width(), size.height()) * scale);
        // Qt draws the disabled and selected looks from the normal picture, as for any icon.
        return Picture(SizeFor(pixels)).pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return size.boundedTo(QSize(kSizes.back(), kSizes.back()));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int size : kSizes) sizes.append(QSize(size, size));
        return sizes;
    }
    QString iconName() override { return name_; }
    bool isNull() override { return false; }
    [[nodiscard]] QString key() const override { return QStringLiteral("zav-raster"); }
    [[nodiscard]] QIconEngine* clone() const override { return new RasterIconEngine(*this); }

private:
    const QIcon& Picture(int size)
    {
        auto found = pictures_.find(size);
        if (found == pictures_.end()) {
            QFile file(PicturePath(name_, size));
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            const auto bytes = static_cast<qint64>(image.sizeInBytes());
            if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char*>(image.bits()), bytes) != bytes) {
                image.fill(Qt::transparent);
            }
            found = pictures_.emplace(size, QIcon(QPixmap::fromImage(std::move(image)))).first;
        }
        return found->second;
    }

    QString name_;
    std::map<int, QIcon> pictures_;
};

} // namespace

QIcon RasterIcon(const QString& name)
{
    if (!QFile::exists(PicturePath(name, kSizes.front()))) return {};
    return QIcon(new RasterIconEngine(name));
}

} // namespace zav
