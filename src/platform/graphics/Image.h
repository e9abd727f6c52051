#pragma once

// An immutable bitmap with a size in points: a named PNG from the resource images folder, or
// decoded from bytes (a captcha). Copies share the pixels. A missing name or bad bytes give an
// empty image, which draws nothing. A resizable copy keeps its cap insets and stretches only
// its middle. Main thread.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/graphics/Geometry.h"

class QImage;
class QPainter;

class Image {
public:
    Image() = default;
    // "name.png" or "name"; "name@2x.png" is preferred when present, at scale 2.
    static Image named(const std::string& name);
    static Image fromData(const void* bytes, std::size_t length);
    static Image fromQImage(const QImage& image, double scale = 1);
    // Folder holding the named images; defaults to "images" in the bundle's resources.
    static void setResourceDirectory(const std::string& path);
    static std::string resourceDirectory();

    bool isEmpty() const { return !m_pixels; }
    Size size() const;
    double scale() const { return m_scale; }
    const std::string& name() const { return m_name; }
    const EdgeInsets& capInsets() const { return m_caps; }

    Image resizable(const EdgeInsets& capInsets) const;
    // The older form: right cap = width - left - 1, bottom cap = height - top - 1.
    Image stretchable(double leftCapWidth, double topCapHeight) const;
    Image mirrored() const;

    void draw(QPainter& painter, const Rect& rect) const;
    const QImage* qimage() const { return m_pixels.get(); }

private:
    std::shared_ptr<const QImage> m_pixels;
    double m_scale = 1;
    EdgeInsets m_caps;
    bool m_resizable = false;
    std::string m_name;
};
