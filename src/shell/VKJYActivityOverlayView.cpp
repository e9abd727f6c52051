#include "shell/VKJYActivityOverlayView.h"

#include "platform/ui/ActivityIndicator.h"

VKJYActivityOverlayView::VKJYActivityOverlayView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(0, 0, 0, 0.5));
    auto box = std::make_unique<View>(
        Rect((frame.width - kBoxSize) / 2, (frame.height - kBoxSize) / 2, kBoxSize, kBoxSize));
    box->setBackgroundColor(Color::rgb(0, 0, 0, 0.6));
    box->setCornerRadius(10);
    box->setUserInteractionEnabled(false);
    auto spinner = std::make_unique<ActivityIndicator>(ActivityIndicator::Style::WhiteLarge);
    spinner->sizeToFit();
    spinner->setCenter({kBoxSize / 2, kBoxSize / 2});
    spinner->startAnimating();
    m_spinner = box->addSubview(std::move(spinner));
    addSubview(std::move(box));
}
