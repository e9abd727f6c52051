#include "trade/common/PXTradeViewKit.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYNavigationBarView.h"

namespace {
constexpr double kSlideSeconds = 0.2;
}

Rect PXTradeViewKit::appViewRect() {
    auto* app = VKJYAppDelegate::shared();
    if (app && app->uiShiPeiClass()) {
        return app->uiShiPeiClass()->APPViewRect();
    }
    return UIShiPeiClass().APPViewRect();
}

void PXTradeViewKit::slide(View& panel, double x) {
    // A picker or page slides over its screen as a pushed one does: a touch made meanwhile (a
    // double tap's second on what opened it) reaches nothing.
    View::animate(
        kSlideSeconds,
        [&panel, x] {
            Rect frame = panel.frame();
            frame.x = x;
            panel.setFrame(frame);
        },
        [hold = std::make_shared<Application::TransitionHold>()](bool) {});
}

Image PXTradeViewKit::stretchable(const std::string& name, double cap) {
    return Image::named(name).resizable(EdgeInsets{cap, cap, cap, cap});
}

std::unique_ptr<Label> PXTradeViewKit::label(const Rect& frame, const std::string& text,
                                             double size, const Color& color,
                                             TextAlignment alignment) {
    auto label = std::make_unique<Label>(frame, text);
    label->setFont(Font::named("Helvetica-Bold", size));
    label->setTextColor(color);
    label->setTextAlignment(alignment);
    label->setBackgroundColor(Color::clearColor());
    return label;
}

VKJYNavigationBarView* PXTradeViewKit::addNavigationBar(View& parent, double y,
                                                        const std::string& title,
                                                        VKJYNavigationBarViewDelegate* delegate) {
    auto* bar = parent.addSubview(
        std::make_unique<VKJYNavigationBarView>(Rect(0, y, 320, VKJYNavigationBarView::kHeight)));
    bar->setDelegate(delegate);
    bar->title()->setText(title);
    bar->menuButton()->setAlpha(0);
    bar->menuImageview()->setAlpha(0);
    return bar;
}

void PXTradeViewKit::addLine(View& parent, double y) {
    auto line = std::make_unique<View>(Rect(0, y, parent.bounds().width, 1));
    line->setBackgroundColor(Color::blackColor());
    parent.addSubview(std::move(line));
}

void PXTradeViewKit::addTitledRows(View& parent, double top,
                                   const std::vector<std::string>& titles) {
    constexpr double kRowHeight = 50;
    for (const std::string& title : titles) {
        parent.addSubview(label(Rect(15, top, 300, kRowHeight), title, 16, Color::whiteColor()));
        addLine(parent, top + kRowHeight);
        top += kRowHeight;
    }
}

void PXTradeViewKit::styleTable(TableView& table) {
    table.setShowsVerticalScrollIndicator(false);
    table.setBackgroundColor(background());
    table.setSeparatorColor(separator());
}

std::shared_ptr<TableViewCell> PXTradeViewKit::blankCell(TableView& table) {
    auto cell = table.dequeueReusableCell("Cell");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
    }
    for (View* old : cell->contentView()->subviews()) {
        old->removeFromSuperview();
    }
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setAccessoryType(TableViewCell::AccessoryType::None);
    cell->setBackgroundColor(Color::clearColor());
    return cell;
}
