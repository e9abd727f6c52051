#include "platform/ui/NavigationBar.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

NavigationBar::NavigationBar(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(33, 33, 41));
    auto title = std::make_unique<Label>();
    title->setFont(Font::boldSystem(18));
    title->setTextColor(Color::whiteColor());
    title->setTextAlignment(TextAlignment::Center);
    m_title = addSubview(std::move(title));
    auto back = Button::create(Button::Type::Custom);
    back->setTitle(kBackTitle);
    back->setTitleColor(Color::whiteColor());
    back->setTitleColor(Color::white(1, 0.4), StateHighlighted);
    back->setHidden(true);
    m_back = addSubview(std::move(back));
}

void NavigationBar::setTitle(const std::string& title) {
    m_title->setText(title);
}

std::string NavigationBar::title() const {
    return m_title->text();
}

void NavigationBar::setBackButtonShown(bool shown) {
    m_back->setHidden(!shown);
}

void NavigationBar::setBackAction(std::function<void()> action) {
    m_back->removeTargets(TouchUpInside);
    m_back->addTarget(TouchUpInside, [action](Control&) { action(); });
}

void NavigationBar::layoutSubviews() {
    Rect b = bounds();
    m_title->setFrame({b.x + 70, b.y, b.width - 140, b.height});
    m_back->setFrame({b.x + 5, b.y + 5, 60, b.height - 10});
}
