#include "market/VKJYMarketActivityView.h"

#include "platform/ui/ActivityIndicator.h"

VKJYMarketActivityView::VKJYMarketActivityView(const Rect& frame) : ImageView(frame) {
    setBackgroundColor(Color::rgb(51, 51, 51));
    setUserInteractionEnabled(true);
    setTag(kTag);
    auto box = std::make_unique<ImageView>(Rect{98, 78, 125, 125});
    box->setUserInteractionEnabled(false);
    auto wheel = std::make_unique<ActivityIndicator>(ActivityIndicator::Style::WhiteLarge);
    wheel->setBackgroundColor(Color::clearColor());
    wheel->sizeToFit();
    const Size size = wheel->bounds().size();
    wheel->setFrame({44, 32, size.width, size.height});
    wheel->startAnimating();
    box->addSubview(std::move(wheel));
    addSubview(std::move(box));
}

void VKJYMarketActivityView::removeFrom(View& view) {
    for (View* sub : view.subviews()) {
        auto* image = dynamic_cast<ImageView*>(sub);
        if (image && image->isUserInteractionEnabled() && image->tag() == kTag) {
            image->removeFromSuperview();
        }
    }
}
