#include "trade/query/PXJYQueryPanel.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "trade/common/PXTradeViewKit.h"

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
    panel->addSubview(PXTradeViewKit::label(Rect(60, 5, 200, 34), title, 20, Color::whiteColor(),
                                            TextAlignment::Center));
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
