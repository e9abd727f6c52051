#pragma once

// Shows an image stretched over its bounds (a highlighted image while highlighted). Takes no
// touches unless told to. Owned by its superview. Main thread only.

#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

class ImageView : public View {
public:
    ImageView();
    explicit ImageView(const Rect& frame, const Image& image = {});
    explicit ImageView(const Image& image);

    const Image& image() const { return m_image; }
    void setImage(const Image& image);
    const Image& highlightedImage() const { return m_highlightedImage; }
    void setHighlightedImage(const Image& image);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;

private:
    Image m_image;
    Image m_highlightedImage;
    bool m_highlighted = false;
};
