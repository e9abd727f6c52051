#include "market/VKJYMarketHelpOverlay.h"

#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace {
constexpr double kOverlayAlpha = 0.8;
constexpr double kCaptionTop = 0.62;
}  // namespace

VKJYMarketHelpOverlay::VKJYMarketHelpOverlay(const Rect& frame, const std::string& imageName,
                                             const std::string& caption,
                                             std::function<void()> tapped)
    : View(frame), m_imageName(imageName), m_tapped(std::move(tapped)) {
    setBackgroundColor(Color::blackColor());
    setAlpha(kOverlayAlpha);
    setMultipleTouchEnabled(false);
    auto picture = std::make_unique<ImageView>(bounds(), Image::named(imageName));
    picture->setBackgroundColor(Color::clearColor());
    addSubview(std::move(picture));
    // The picture shows the gesture; the caption says what it does.
    auto text = std::make_unique<Label>(Rect{20, frame.height * kCaptionTop, frame.width - 40, 60},
                                        caption);
    text->setFont(Font::boldSystem(17));
    text->setTextColor(Color::whiteColor());
    text->setTextAlignment(TextAlignment::Center);
    text->setNumberOfLines(2);
    addSubview(std::move(text));
}

void VKJYMarketHelpOverlay::touchesEnded(const TouchSet&, const Event&) {
    if (m_tapped) {
        m_tapped();
    }
}
