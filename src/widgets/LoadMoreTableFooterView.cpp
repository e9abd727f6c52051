#include "widgets/LoadMoreTableFooterView.h"

#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/Label.h"

namespace {

constexpr double kSpinnerSize = 20;
constexpr double kSpinnerGap = 8;

const char* promptFor(LoadMoreTableFooterView::State state) {
    switch (state) {
        case LoadMoreTableFooterView::State::Pulling:
            return "松开即可加载更多";
        case LoadMoreTableFooterView::State::Loading:
            return "正在加载...";
        case LoadMoreTableFooterView::State::Normal:
            break;
    }
    return "上拉加载更多";
}

}  // namespace

LoadMoreTableFooterView::LoadMoreTableFooterView() {
    setUserInteractionEnabled(false);
    auto label = std::make_unique<Label>(Rect{}, promptFor(m_state));
    label->setFont(Font::system(14));
    label->setTextColor(Color::rgb(150, 150, 160));
    label->setTextAlignment(TextAlignment::Center);
    m_label = addSubview(std::move(label));
    auto spinner = std::make_unique<ActivityIndicator>(ActivityIndicator::Style::White);
    m_spinner = addSubview(std::move(spinner));
}

const std::string& LoadMoreTableFooterView::prompt() const {
    return m_label->text();
}

void LoadMoreTableFooterView::setState(State state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    m_label->setText(promptFor(state));
    if (state == State::Loading) {
        m_spinner->startAnimating();
    } else {
        m_spinner->stopAnimating();
    }
    setNeedsLayout();
}

void LoadMoreTableFooterView::layoutSubviews() {
    const Rect b = bounds();
    const double textWidth = m_label->sizeThatFits({b.width, b.height}).width;
    m_label->setFrame({0, 0, b.width, b.height});
    m_spinner->setFrame({b.midX() - textWidth / 2 - kSpinnerGap - kSpinnerSize,
                         b.midY() - kSpinnerSize / 2, kSpinnerSize, kSpinnerSize});
}
