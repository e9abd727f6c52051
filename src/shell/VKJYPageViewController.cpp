#include "shell/VKJYPageViewController.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYBrandStyle.h"
#include "shell/VKJYNavigationBarView.h"

namespace {
constexpr double kRowHeight = 50;
constexpr int kRowsTag = 7100;

Rect appViewRect() {
    auto* app = VKJYAppDelegate::shared();
    if (app && app->uiShiPeiClass()) {
        return app->uiShiPeiClass()->APPViewRect();
    }
    return {0, 20, 320, 548};
}

VKJYBrandStyle brandStyle() {
    auto* app = VKJYAppDelegate::shared();
    return VKJYBrandStyle::forAppName(app ? app->vkAppName() : "");
}

std::unique_ptr<Label> label(const Rect& frame, const std::string& text, const Color& color,
                             TextAlignment alignment) {
    auto view = std::make_unique<Label>(frame, text);
    view->setFont(Font::boldSystem(16));
    view->setTextColor(color);
    view->setTextAlignment(alignment);
    return view;
}
}  // namespace

VKJYPageViewController::VKJYPageViewController(std::string pageTitle, std::string note,
                                               std::vector<Row> rows)
    : m_pageTitle(std::move(pageTitle)), m_note(std::move(note)), m_rows(std::move(rows)) {
    setTitle(m_pageTitle);
}

void VKJYPageViewController::loadView() {
    const Rect area = appViewRect();
    const VKJYBrandStyle style = brandStyle();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(style.background);
    auto bar = std::make_unique<VKJYNavigationBarView>(
        Rect(0, area.y, area.width, VKJYNavigationBarView::kHeight));
    bar->setBackgroundColor(style.barColor);
    bar->title()->setText(m_pageTitle);
    bar->backButton()->setAlpha(0);
    bar->backImageview()->setAlpha(0);
    bar->menuButton()->setAlpha(0);
    bar->menuImageview()->setAlpha(0);
    m_bar = root->addSubview(std::move(bar));
    setView(root);
    layoutRows();
}

void VKJYPageViewController::setRows(std::vector<Row> rows) {
    m_rows = std::move(rows);
    if (isViewLoaded()) {
        layoutRows();
    }
}

void VKJYPageViewController::layoutRows() {
    if (View* old = view()->viewWithTag(kRowsTag)) {
        old->removeFromSuperview();
    }
    const Rect area = appViewRect();
    const double top = area.y + VKJYNavigationBarView::kHeight;
    auto rows = std::make_unique<View>(Rect(0, top, area.width, area.height - top));
    rows->setTag(kRowsTag);
    if (m_rows.empty()) {
        rows->addSubview(label(Rect(20, 120, area.width - 40, 30), m_note,
                               Color::rgb(204, 204, 204), TextAlignment::Center));
    }
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const double y = static_cast<double>(i) * kRowHeight;
        rows->addSubview(label(Rect(15, y, 80, kRowHeight), m_rows[i].first,
                               Color::rgb(132, 132, 132), TextAlignment::Left));
        auto value = label(Rect(95, y, area.width - 110, kRowHeight), m_rows[i].second,
                           Color::whiteColor(), TextAlignment::Right);
        // Addresses are long: shrink them to fit rather than cut them.
        value->setAdjustsFontSizeToFitWidth(true);
        value->setMinimumFontSize(9);
        rows->addSubview(std::move(value));
        auto line = std::make_unique<View>(Rect(0, y + kRowHeight - 1, area.width, 1));
        line->setBackgroundColor(Color::rgb(52, 53, 61));
        rows->addSubview(std::move(line));
    }
    view()->addSubview(std::move(rows));
}
