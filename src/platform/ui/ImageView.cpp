#include "platform/ui/ImageView.h"

#include "platform/graphics/GraphicsContext.h"

ImageView::ImageView() {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const Rect& frame, const Image& image) : View(frame), m_image(image) {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const Image& image) : View(Rect({0, 0}, image.size())), m_image(image) {
    setUserInteractionEnabled(false);
}

void ImageView::setImage(const Image& image) {
    m_image = image;
    setNeedsDisplay();
}

void ImageView::setHighlightedImage(const Image& image) {
    m_highlightedImage = image;
    setNeedsDisplay();
}

void ImageView::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void ImageView::draw(GraphicsContext& context, const Rect&) {
    const Image& shown =
        m_highlighted && !m_highlightedImage.isEmpty() ? m_highlightedImage : m_image;
    context.drawImage(shown, bounds());
}

Size ImageView::sizeThatFits(Size) const {
    return m_image.size();
}
