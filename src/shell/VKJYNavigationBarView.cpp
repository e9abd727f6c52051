#include "shell/VKJYNavigationBarView.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/VKJYNavigationBarViewDelegate.h"

namespace {
constexpr double kButtonWidth = 54;
constexpr double kIconSize = 22;
}  // namespace

VKJYNavigationBarView::VKJYNavigationBarView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(28, 28, 36));
    const double width = frame.width;
    const double iconTop = (kHeight - kIconSize) / 2;

    auto title = std::make_unique<Label>(Rect(kButtonWidth, 0, width - 2 * kButtonWidth, kHeight));
    title->setFont(Font::boldSystem(18));
    title->setTextColor(Color::whiteColor());
    title->setTextAlignment(TextAlignment::Center);
    m_title = addSubview(std::move(title));

    m_backImageview = addSubview(std::make_unique<ImageView>(
        Rect(10, iconTop, kIconSize, kIconSize), Image::named("nav_back.png")));
    auto back = std::make_unique<Button>(Rect(0, 0, kButtonWidth, kHeight));
    // Sent on release inside the button, as a tap is.
    back->addTarget(TouchUpInside, [this](Control&) {
        if (m_delegate) {
            m_delegate->VKJYNavBackAction();
        }
    });
    m_backButton = addSubview(std::move(back));

    m_menuImageview = addSubview(std::make_unique<ImageView>(
        Rect(width - 10 - kIconSize, iconTop, kIconSize, kIconSize), Image::named("nav_menu.png")));
    auto menu = std::make_unique<Button>(Rect(width - kButtonWidth, 0, kButtonWidth, kHeight));
    menu->addTarget(TouchUpInside, [this](Control&) {
        if (m_delegate) {
            m_delegate->VKJYNavMenuAction();
        }
    });
    m_menuButton = addSubview(std::move(menu));
}
