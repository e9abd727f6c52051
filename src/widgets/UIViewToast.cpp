#include "widgets/UIViewToast.h"

#include <algorithm>

#include "platform/foundation/Timer.h"
#include "platform/ui/Label.h"

namespace {

constexpr double kMaxWidthShare = 0.8;
constexpr double kPadding = 10;
constexpr double kBottomMargin = 10;
constexpr double kCornerRadius = 10;

}  // namespace

UIViewToast::UIViewToast(const std::string& message) {
    setBackgroundColor(Color::white(0, 0.8));
    setCornerRadius(kCornerRadius);
    setClipsToBounds(true);
    setUserInteractionEnabled(false);
    auto label = std::make_unique<Label>(Rect{}, message);
    label->setFont(Font::system(16));
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(TextAlignment::Center);
    label->setNumberOfLines(0);
    label->setLineBreakMode(LineBreakMode::WordWrap);
    m_label = addSubview(std::move(label));
}

const std::string& UIViewToast::message() const {
    return m_label->text();
}

void UIViewToast::placeAtBottomOf(const View& view) {
    const Rect area = view.bounds();
    const double maxTextWidth = area.width * kMaxWidthShare - 2 * kPadding;
    const Size text = m_label->sizeThatFits({std::max(maxTextWidth, 0.0), 0});
    const double width = std::min(text.width, maxTextWidth) + 2 * kPadding;
    const double height = text.height + 2 * kPadding;
    setFrame({area.midX() - width / 2, area.maxY() - kBottomMargin - height, width, height});
    m_label->setFrame({kPadding, kPadding, width - 2 * kPadding, text.height});
}

UIViewToast* UIViewToast::makeToast(View& view, const std::string& message) {
    auto toast = std::unique_ptr<UIViewToast>(new UIViewToast(message));
    toast->placeAtBottomOf(view);
    UIViewToast* shown = view.addSubview(std::move(toast));
    shown->m_timer =
        Timer::scheduledTimer(kDurationSeconds, false, [shown] { shown->removeFromSuperview(); });
    return shown;
}
