#include "trade/query/PXJYQueryPanel.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {
constexpr int kTitleTag = 4401;
}  // namespace

View* PXJYQueryPanel::create(View& parent, const std::string& title, std::function<void()> back) {
    const Rect app = PXTradeViewKit::appViewRect();
    auto panel = std::make_unique<View>(Rect(app.width, app.y, app.width, app.height));
    panel->setBackgroundColor(PXTradeViewKit::background());
    panel->addSubview(
        std::make_unique<ImageView>(Rect(0, 43, 320, 1), Image::named("click@2x.png")));
    panel->addSubview(std::make_unique<ImageView>(Rect(15, 7, 16, 27), Image::named("fanhui.png")));
    auto button = std::make_unique<Button>(Rect(5, 0, 60, kHeaderHeight));
    button->addTarget(TouchUpInside, [back = std::move(back)](Control&) { back(); });
    panel->addSubview(std::move(button));
    auto titleLabel = PXTradeViewKit::label(Rect(60, 5, 200, 34), title, 20, Color::whiteColor(),
                                            TextAlignment::Center);
    titleLabel->setTag(kTitleTag);
    panel->addSubview(std::move(titleLabel));
    return parent.addSubview(std::move(panel));
}

void PXJYQueryPanel::show(View& panel) {
    PXTradeViewKit::slide(panel, PXTradeViewKit::appViewRect().x);
}

void PXJYQueryPanel::park(View& panel) {
    PXTradeViewKit::slide(panel, PXTradeViewKit::appViewRect().width);
}

bool PXJYQueryPanel::isShown(const View& panel) {
    return panel.frame().x < PXTradeViewKit::appViewRect().width;
}

Label* PXJYQueryPanel::title(View& panel) {
    return dynamic_cast<Label*>(panel.viewWithTag(kTitleTag));
}

Button* PXJYQueryPanel::addButton(View& parent, const Rect& frame, const std::string& title,
                                  std::function<void()> action) {
    auto button = std::make_unique<Button>(frame);
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(Font::named("Helvetica-Bold", 16));
    button->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    button->addTarget(TouchUpInside, [action = std::move(action)](Control&) { action(); });
    return parent.addSubview(std::move(button));
}

void PXJYQueryPanel::lockSwitcher(PXJYSwitchingAccountView& switcher) {
    switcher.accountButton()->setEnabled(false);
    switcher.xiaSanJiaoImageView()->setAlpha(0);
}
