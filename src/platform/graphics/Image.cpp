#include "platform/graphics/Image.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <map>

#include "platform/foundation/Bundle.h"

namespace {

std::string& resourceDirectoryOverride() {
    static std::string dir;
    return dir;
}

// Loaded images stay for the life of the process, like the platform's named-image cache.
std::map<std::string, Image>& namedCache() {
    static std::map<std::string, Image> cache;
    return cache;
}

Image load(const QString& path, double scale) {
    QImage pixels(path);
    if (pixels.isNull()) {
        return {};
    }
    return Image::fromQImage(pixels, scale);
}

}  // namespace

void Image::setResourceDirectory(const std::string& path) {
    resourceDirectoryOverride() = path;
    namedCache().clear();
}

std::string Image::resourceDirectory() {
    if (!resourceDirectoryOverride().empty()) {
        return resourceDirectoryOverride();
    }
    return Bundle::resourcePath() + "/images";
}

Image Image::named(const std::string& name) {
    if (name.empty()) {
        return {};
    }
    std::string folder = resourceDirectory();
    std::string key = folder + "/" + name;
    auto cached = namedCache().find(key);
    if (cached != namedCache().end()) {
        return cached->second;
    }
    QString dir = QString::fromStdString(folder) + QLatin1Char('/');
    QString base = QString::fromStdString(name);
    if (base.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        base.chop(4);
    }
    Image image;
    if (QFileInfo::exists(dir + base + QLatin1String("@2x.png"))) {
        image = load(dir + base + QLatin1String("@2x.png"), 2);
    }
    if (image.isEmpty()) {
        image = load(dir + base + QLatin1String(".png"), 1);
    }
    image.m_name = name;
    namedCache()[key] = image;
    return image;
}

Image Image::fromData(const void* bytes, std::size_t length) {
    QImage pixels;
    if (!bytes || length == 0 ||
        !pixels.loadFromData(static_cast<const uchar*>(bytes), static_cast<int>(length))) {
        return {};
    }
    return fromQImage(pixels);
}

Image Image::fromQImage(const QImage& pixels, double scale) {
    Image image;
    if (pixels.isNull()) {
        return image;
    }
    image.m_pixels =
        std::make_shared<const QImage>(pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    image.m_scale = scale > 0 ? scale : 1;
    return image;
}

Size Image::size() const {
    if (!m_pixels) {
        return {};
    }
    return {m_pixels->width() / m_scale, m_pixels->height() / m_scale};
}

Image Image::resizable(const EdgeInsets& capInsets) const {
    Image copy = *this;
    copy.m_caps = capInsets;
    copy.m_resizable = true;
    return copy;
}

Image Image::stretchable(double leftCapWidth, double topCapHeight) const {
    Size s = size();
    double right = leftCapWidth > 0 ? std::max(0.0, s.width - leftCapWidth - 1) : 0;
    double bottom = topCapHeight > 0 ? std::max(0.0, s.height - topCapHeight - 1) : 0;
    return resizable({topCapHeight, leftCapWidth, bottom, right});
}

Image Image::mirrored() const {
    if (!m_pixels) {
        return *this;
    }
    Image copy = *this;
    copy.m_pixels = std::make_shared<const QImage>(m_pixels->mirrored(true, false));
    copy.m_caps = {m_caps.top, m_caps.right, m_caps.bottom, m_caps.left};
    return copy;
}

void Image::draw(QPainter& painter, const Rect& rect) const {
    if (!m_pixels || rect.isEmpty()) {
        return;
    }
    const QImage& px = *m_pixels;
    if (!m_resizable) {
        painter.drawImage(QRectF(rect.x, rect.y, rect.width, rect.height), px);
        return;
    }
    // Nine parts: corners keep their size, edges stretch one way, the middle both ways.
    double s = m_scale;
    double srcX[4] = {0, m_caps.left * s, px.width() - m_caps.right * s, double(px.width())};
    double srcY[4] = {0, m_caps.top * s, px.height() - m_caps.bottom * s, double(px.height())};
    double left = std::min(m_caps.left, rect.width / 2);
    double right = std::min(m_caps.right, rect.width / 2);
    double top = std::min(m_caps.top, rect.height / 2);
    double bottom = std::min(m_caps.bottom, rect.height / 2);
    double dstX[4] = {rect.x, rect.x + left, rect.maxX() - right, rect.maxX()};
    double dstY[4] = {rect.y, rect.y + top, rect.maxY() - bottom, rect.maxY()};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            QRectF src(srcX[col], srcY[row], srcX[col + 1] - srcX[col], srcY[row + 1] - srcY[row]);
            QRectF dst(dstX[col], dstY[row], dstX[col + 1] - dstX[col], dstY[row + 1] - dstY[row]);
            if (src.width() <= 0 || src.height() <= 0 || dst.width() <= 0 || dst.height() <= 0) {
                // A zero-width middle still stretches the one column that sits at the cap.
                if (dst.width() > 0 && dst.height() > 0 && (col == 1 || row == 1)) {
                    src = QRectF(std::min(srcX[col], px.width() - 1.0),
                                 std::min(srcY[row], px.height() - 1.0), std::max(1.0, src.width()),
                                 std::max(1.0, src.height()));
                    painter.drawImage(dst, px, src);
                }
                continue;
            }
            painter.drawImage(dst, px, src);
        }
    }
}
