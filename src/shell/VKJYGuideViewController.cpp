#include "shell/VKJYGuideViewController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace {
const char* const kCaptions[] = {"实时行情 随时掌握", "一键交易 快捷方便", "多账户 安全管理"};
}  // namespace

VKJYGuideViewController::VKJYGuideViewController(VKJYBrandStyle style, std::function<void()> closed)
    : m_style(std::move(style)), m_closed(std::move(closed)) {}

void VKJYGuideViewController::loadView() {
    ViewController::loadView();
    View* root = view();
    const Rect bounds = root->bounds();
    root->setBackgroundColor(m_style.background);
    auto pages = std::make_unique<ScrollView>(bounds);
    pages->setContentSize({bounds.width * kPageCount, bounds.height});
    pages->setShowsHorizontalScrollIndicator(false);
    pages->setShowsVerticalScrollIndicator(false);
    pages->setDelegate(this);
    for (int i = 0; i < kPageCount; ++i) {
        const Rect page(bounds.width * i, 0, bounds.width, bounds.height);
        pages->addSubview(std::make_unique<ImageView>(
            page, Image::named(m_style.image("guide" + std::to_string(i + 1)))));
        auto caption = std::make_unique<Label>(
            Rect(page.x, bounds.height * 0.36 + 90, bounds.width, 36), kCaptions[i]);
        caption->setFont(Font::boldSystem(22));
        caption->setTextColor(Color::whiteColor());
        caption->setTextAlignment(TextAlignment::Center);
        pages->addSubview(std::move(caption));
        auto hint =
            std::make_unique<Label>(Rect(page.x, bounds.height - 60, bounds.width, 20),
                                    std::to_string(i + 1) + " / " + std::to_string(kPageCount));
        hint->setFont(Font::system(13));
        hint->setTextColor(Color::rgb(204, 204, 204));
        hint->setTextAlignment(TextAlignment::Center);
        pages->addSubview(std::move(hint));
    }
    auto start = std::make_unique<Button>(
        Rect(bounds.width * (kPageCount - 1) + 80, bounds.height - 130, bounds.width - 160, 44));
    start->setTitle(kStartTitle);
    start->setTitleColor(Color::whiteColor());
    start->setBackgroundColor(m_style.accent);
    start->setCornerRadius(6);
    start->addTarget(TouchUpInside, [this](Control&) { closeGuide(); });
    pages->addSubview(std::move(start));
    m_pages = root->addSubview(std::move(pages));
}

int VKJYGuideViewController::currentPage() const {
    if (!m_pages) {
        return 0;
    }
    const double width = m_pages->bounds().width;
    const int page = static_cast<int>(std::lround(m_pages->contentOffset().x / width));
    return std::clamp(page, 0, kPageCount - 1);
}

void VKJYGuideViewController::scrollViewDidEndDragging(ScrollView& scrollView, bool) {
    // Pages snap: the drag ends on the page nearest to where it was let go.
    scrollView.setContentOffset({currentPage() * scrollView.bounds().width, 0}, true);
}

void VKJYGuideViewController::closeGuide() {
    if (m_closing) {
        return;
    }
    m_closing = true;
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(true, kHasShowGuidePageKey);
    defaults.synchronize();
    NotificationCenter::defaultCenter().post(kGuideNotification);
    m_closed();
}
