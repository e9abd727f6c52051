#include "chart/ActivityView.h"

#include "platform/graphics/Font.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/Label.h"

namespace {

constexpr double kSpinnerSize = 22;
constexpr double kSpinnerCentreY = 25;

}  // namespace

ActivityView::ActivityView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::blackColor());
    setCornerRadius(5);
    setAlpha(0.7);
    auto indicator = std::make_unique<ActivityIndicator>(ActivityIndicator::Style::WhiteLarge);
    indicator->setFrame(Rect{frame.width / 2 - kSpinnerSize / 2, kSpinnerCentreY - kSpinnerSize / 2,
                             kSpinnerSize, kSpinnerSize});
    indicator->setHidesWhenStopped(true);
    m_indicator = addSubview(std::move(indicator));
    auto label = std::make_unique<Label>(Rect{0, 45, frame.width, 20}, "正在加载...");
    label->setBackgroundColor(Color::clearColor());
    label->setFont(Font::system(15));
    label->setTextColor(Color::fractions(0.9, 0.9, 0.9));
    label->setTextAlignment(TextAlignment::Center);
    m_label = addSubview(std::move(label));
    setHidden(true);
}

void ActivityView::startAnimating() {
    if (m_indicator->isAnimating()) {
        return;
    }
    m_indicator->startAnimating();
    setHidden(false);
    m_isAnimating = true;
}

void ActivityView::stopAnimating() {
    setHidden(true);
    m_indicator->stopAnimating();
    m_isAnimating = false;
}
