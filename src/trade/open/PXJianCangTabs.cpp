#include "trade/open/PXJianCangTabs.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

namespace {
Button* addTab(View& bar, const std::string& title, double x) {
    auto tab = std::make_unique<Button>(Rect{x, 3, 100, 38});
    tab->setTitle(title);
    tab->setTitleColor(Color::whiteColor());
    tab->titleLabel()->setFont(Font::named("Helvetica-Bold", 16));
    return bar.addSubview(std::move(tab));
}
}  // namespace

PXJianCangTabs::PXJianCangTabs(View& bar, std::function<void(bool)> onTab) {
    m_first = addTab(bar, " 摘牌", 60);
    m_first->addTarget(TouchUpInside, [onTab](Control&) { onTab(true); });
    m_second = addTab(bar, "条件摘牌", 160);
    m_second->addTarget(TouchUpInside, [onTab](Control&) { onTab(false); });
    show(true);
}

void PXJianCangTabs::show(bool first) {
    m_first->setBackgroundImage(Image::named(first ? "zhouqi_press.png" : "zhouqi.png"));
    m_second->setBackgroundImage(Image::named(first ? "fenshi.png" : "fenshi_press.png"));
}
