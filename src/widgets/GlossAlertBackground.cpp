#include "widgets/GlossAlertBackground.h"

#include "platform/graphics/Gradient.h"
#include "platform/graphics/GraphicsContext.h"

namespace {

const Gradient kGlossFace({Color::rgb(78, 80, 98), Color::rgb(33, 34, 44)});
const Gradient kGlossShine({Color::white(1, 0.22), Color::white(1, 0.04)});
const Gradient kWhiteFace({Color::whiteColor(), Color::rgb(232, 232, 236)});

}  // namespace

GlossAlertBackground::GlossAlertBackground() {
    setUserInteractionEnabled(false);
}

void GlossAlertBackground::setAllWhite(bool allWhite) {
    m_allWhite = allWhite;
    setNeedsDisplay();
}

void GlossAlertBackground::draw(GraphicsContext& context, const Rect&) {
    const Rect b = bounds();
    context.save();
    context.clipToRect(b);
    context.drawLinearGradient(m_allWhite ? kWhiteFace : kGlossFace, {b.x, b.y}, {b.x, b.maxY()},
                               true, true);
    if (!m_allWhite) {
        const Rect upper{b.x, b.y, b.width, b.height / 2};
        context.clipToRect(upper);
        context.drawLinearGradient(kGlossShine, {b.x, b.y}, {b.x, upper.maxY()}, false, false);
    }
    context.restore();
}
