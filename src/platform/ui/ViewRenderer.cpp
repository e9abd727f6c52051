#include "platform/ui/ViewRenderer.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/KeptDrawing.h"
#include "platform/ui/View.h"

namespace {

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(c.red(), c.green(), c.blue(), c.alpha());
}

QPainterPath outline(const Rect& r, double radius) {
    QPainterPath path;
    QRectF rect(r.x, r.y, r.width, r.height);
    if (radius > 0) {
        path.addRoundedRect(rect, radius, radius);
    } else {
        path.addRect(rect);
    }
    return path;
}

QTransform toQTransform(const AffineTransform& t) {
    return QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty);
}

// The whole device pixels inside `area`: a fill without antialiasing sets each of them.
QRect innerPixels(const QRectF& area) {
    const int left = static_cast<int>(std::ceil(area.left()));
    const int top = static_cast<int>(std::ceil(area.top()));
    const int right = static_cast<int>(std::floor(area.right()));
    const int bottom = static_cast<int>(std::floor(area.bottom()));
    return right > left && bottom > top ? QRect(left, top, right - left, bottom - top) : QRect();
}

// Device pixels that subviews of `view` paint over with an opaque background later in the same
// pass, within `clip`. Only what is surely covered counts: views that fade, turn or clip to a
// rounded shape are not looked into.
void addCoveredPixels(const View& view, const QTransform& toDevice, const QRect& clip,
                      QRegion& covered) {
    for (const View* child : view.subviews()) {
        if (child->isHidden() || child->presentationAlpha() < 1) {
            continue;
        }
        const QTransform childToDevice = toQTransform(child->presentationToSuperview()) * toDevice;
        if (childToDevice.type() > QTransform::TxScale) {
            continue;
        }
        const Rect b = child->presentationBounds();
        const QRect inner =
            innerPixels(childToDevice.mapRect(QRectF(b.x, b.y, b.width, b.height))) & clip;
        const bool rounded = child->cornerRadius() > 0;
        if (child->backgroundColor().alpha() >= 1 && !rounded) {
            covered += inner;
        }
        if (child->clipsToBounds() && rounded) {
            continue;
        }
        addCoveredPixels(*child, childToDevice, child->clipsToBounds() ? inner : clip, covered);
    }
}

// Each run of rows whose painted pixels span the same columns, as one rectangle: a grid's
// layer is mostly transparent, with a frame line down its side and lines across.
std::vector<QRect> paintedRows(const QImage& layer) {
    std::vector<QRect> rows;
    for (int y = 0; y < layer.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        int left = 0;
        while (left < layer.width() && pixels[left] == 0) {
            ++left;
        }
        if (left == layer.width()) {
            continue;
        }
        int right = layer.width() - 1;
        while (pixels[right] == 0) {
            --right;
        }
        if (!rows.empty() && rows.back().bottom() == y - 1 && rows.back().left() == left &&
            rows.back().right() == right) {
            rows.back().setBottom(y);
            continue;
        }
        rows.emplace_back(QPoint(left, y), QPoint(right, y));
    }
    return rows;
}

// Composites a kept layer: only its painted rectangles where its pixels fall on whole device
// pixels one to one, since transparent pixels change nothing.
void drawKeptLayer(QPainter& painter, const QRectF& area, const KeptDrawing& kept) {
    const QTransform toDevice = painter.deviceTransform();
    const QRectF device = toDevice.mapRect(area);
    const QRect pixels = device.toAlignedRect();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != kept.scale ||
        toDevice.m22() != kept.scale || QRectF(pixels) != device ||
        pixels.size() != kept.layer.size()) {
        painter.drawImage(area, kept.layer);
        return;
    }
    painter.save();
    painter.resetTransform();
    for (const QRect& part : kept.painted) {
        painter.drawImage(pixels.topLeft() + part.topLeft(), kept.layer, part);
    }
    painter.restore();
}

bool& repaintRequested() {
    static bool requested = false;
    return requested;
}

}  // namespace

bool ViewRenderer::takeRepaintRequest() {
    return std::exchange(repaintRequested(), false);
}

void ViewRenderer::drawContent(QPainter& painter, View& view, const Rect& bounds) {
    if (!view.drawsInOwnLayer()) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        GraphicsContext context(painter);
        context.setFreshBounds(bounds);
        view.draw(context, bounds);
        painter.restore();
        if (context.didClear()) {
            view.setDrawsInOwnLayer(true);
            repaintRequested() = true;
        }
        return;
    }
    QTransform device = painter.deviceTransform();
    double scale =
        std::max(1.0, std::sqrt(device.m11() * device.m11() + device.m12() * device.m12()));
    int width = static_cast<int>(std::ceil(bounds.width * scale));
    int height = static_cast<int>(std::ceil(bounds.height * scale));
    if (width <= 0 || height <= 0) {
        return;
    }
    const QRectF area(bounds.x, bounds.y, bounds.width, bounds.height);
    const KeptDrawing* kept = view.keptDrawing();
    if (view.keepsDrawing() && kept && !view.needsDisplay() && view.drawingIsCurrent() &&
        kept->bounds == bounds && kept->scale == scale) {
        drawKeptLayer(painter, area, *kept);
        return;
    }
    auto fresh = std::make_unique<KeptDrawing>(
        KeptDrawing{QImage(width, height, QImage::Format_ARGB32_Premultiplied), bounds, scale, {}});
    fresh->layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&fresh->layer);
        layerPainter.setRenderHint(QPainter::Antialiasing, true);
        layerPainter.scale(scale, scale);
        layerPainter.translate(-bounds.x, -bounds.y);
        GraphicsContext context(layerPainter);
        context.setFreshBounds(bounds);
        view.draw(context, bounds);
    }
    painter.drawImage(area, fresh->layer);
    if (view.keepsDrawing()) {
        fresh->painted = paintedRows(fresh->layer);
        view.keepDrawing(std::move(fresh));
    }
}

void ViewRenderer::render(QPainter& painter, View& root) {
    root.layoutIfNeeded();
    renderView(painter, root);
}

void ViewRenderer::renderView(QPainter& painter, View& view) {
    double alpha = view.presentationAlpha();
    if (view.isHidden() || alpha <= 0) {
        return;
    }
    painter.save();
    AffineTransform t = view.presentationToSuperview();
    painter.setTransform(QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty), true);
    if (alpha >= 1 || view.subviews().empty()) {
        painter.setOpacity(painter.opacity() * alpha);
        paintBody(painter, view);
        painter.restore();
        return;
    }
    // A see-through view with subviews fades as one picture, so its parts do not show
    // through each other.
    QPaintDevice* device = painter.device();
    QImage group(device->width(), device->height(), QImage::Format_ARGB32_Premultiplied);
    group.fill(Qt::transparent);
    {
        QPainter groupPainter(&group);
        groupPainter.setTransform(painter.transform());
        paintBody(groupPainter, view);
    }
    painter.resetTransform();
    painter.setOpacity(painter.opacity() * alpha);
    painter.drawImage(0, 0, group);
    painter.restore();
}

// Fills the background except where opaque subviews will cover it anyway: a screen's backdrop
// under a full-screen chart is otherwise filled only to be painted over.
void ViewRenderer::fillBackground(QPainter& painter, const View& view, const Rect& bounds) {
    const double radius = view.cornerRadius();
    const QColor color = toQColor(view.backgroundColor());
    painter.setRenderHint(QPainter::Antialiasing, radius > 0);
    const QTransform toDevice = painter.deviceTransform();
    const QRectF area = toDevice.mapRect(QRectF(bounds.x, bounds.y, bounds.width, bounds.height));
    const QRect pixels = area.toAlignedRect();
    if (radius > 0 || painter.opacity() < 1 || toDevice.type() > QTransform::TxScale ||
        QRectF(pixels) != area) {
        painter.fillPath(outline(bounds, radius), color);
        return;
    }
    QRegion covered;
    addCoveredPixels(view, toDevice, pixels, covered);
    if (covered.isEmpty()) {
        painter.fillPath(outline(bounds, radius), color);
        return;
    }
    painter.save();
    painter.resetTransform();
    for (const QRect& part : QRegion(pixels).subtracted(covered)) {
        painter.fillRect(part, color);
    }
    painter.restore();
}

void ViewRenderer::paintBody(QPainter& painter, View& view) {
    Rect bounds = view.presentationBounds();
    double radius = view.cornerRadius();
    if (!view.backgroundColor().isClear()) {
        fillBackground(painter, view, bounds);
    }
    if (view.clipsToBounds()) {
        painter.setClipPath(outline(bounds, radius), Qt::IntersectClip);
    }
    drawContent(painter, view, bounds);
    for (View* child : view.subviews()) {
        renderView(painter, *child);
    }
    if (view.borderWidth() > 0) {
        double w = view.borderWidth();
        QPen pen(toQColor(view.borderColor()));
        pen.setWidthF(w);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, radius > 0);
        painter.drawPath(outline(bounds.insetBy(w / 2, w / 2), std::max(0.0, radius - w / 2)));
    }
}
