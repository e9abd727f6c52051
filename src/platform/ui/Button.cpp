#include "platform/ui/Button.h"

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace {
Color systemTint() {
    return Color::rgb(0, 122, 255);
}
}  // namespace

Button::Button(Type type) : Button(Rect{}, type) {}

Button::Button(const Rect& frame, Type type) : Control(frame), m_type(type) {
    m_imageView = addSubview(std::make_unique<ImageView>());
    auto label = std::make_unique<Label>();
    label->setFont(type == Type::System ? Font::system(15) : Font::boldSystem(15));
    label->setTextAlignment(TextAlignment::Center);
    m_titleLabel = addSubview(std::move(label));
    refresh();
}

std::unique_ptr<Button> Button::create(Type type, const Rect& frame) {
    return std::make_unique<Button>(frame, type);
}

template <typename T>
T Button::lookup(const std::map<unsigned, T>& values, unsigned state, const T& fallback) {
    // The exact state, then the single flags by priority, then normal.
    for (unsigned s : {state, state & StateDisabled, state & StateHighlighted,
                       state & StateSelected, static_cast<unsigned>(StateNormal)}) {
        auto it = values.find(s);
        if (it != values.end()) {
            return it->second;
        }
        if (s == StateNormal) {
            break;
        }
    }
    return fallback;
}

void Button::setTitle(const std::string& title, unsigned state) {
    m_titles[state] = title;
    refresh();
}

std::string Button::title(unsigned state) const {
    return lookup(m_titles, state, std::string());
}

void Button::setTitleColor(const Color& color, unsigned state) {
    m_titleColors[state] = color;
    refresh();
}

Color Button::titleColor(unsigned state) const {
    Color fallback = m_type == Type::System ? systemTint() : Color::whiteColor();
    if (m_type == Type::System && (state & StateHighlighted) && !m_titleColors.count(state)) {
        return lookup(m_titleColors, StateNormal, fallback).withAlpha(0.3);
    }
    if (m_type == Type::System && (state & StateDisabled) && !m_titleColors.count(state)) {
        return Color::white(0.55);
    }
    return lookup(m_titleColors, state, fallback);
}

void Button::setImage(const Image& image, unsigned state) {
    m_images[state] = image;
    refresh();
}

Image Button::image(unsigned state) const {
    return lookup(m_images, state, Image());
}

void Button::setBackgroundImage(const Image& image, unsigned state) {
    m_backgrounds[state] = image;
    refresh();
}

Image Button::backgroundImage(unsigned state) const {
    return lookup(m_backgrounds, state, Image());
}

void Button::setContentHorizontalAlignment(ContentAlignment alignment) {
    m_alignment = alignment;
    setNeedsLayout();
}

void Button::setTitleEdgeInsets(const EdgeInsets& insets) {
    m_titleInsets = insets;
    setNeedsLayout();
}

void Button::setImageEdgeInsets(const EdgeInsets& insets) {
    m_imageInsets = insets;
    setNeedsLayout();
}

void Button::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    refresh();
}

void Button::setSelected(bool selected) {
    Control::setSelected(selected);
    refresh();
}

void Button::setHighlighted(bool highlighted) {
    Control::setHighlighted(highlighted);
    refresh();
}

void Button::refresh() {
    m_titleLabel->setText(currentTitle());
    m_titleLabel->setTextColor(currentTitleColor());
    m_imageView->setImage(currentImage());
    // Custom buttons with an image darken while pressed, as the phone does.
    bool dim = m_type == Type::Custom && isHighlighted() && !m_images.count(StateHighlighted) &&
               !m_backgrounds.count(StateHighlighted) && !currentBackgroundImage().isEmpty();
    m_imageView->setAlpha(dim ? 0.6 : 1);
    setNeedsLayout();
    setNeedsDisplay();
}

void Button::layoutSubviews() {
    Rect b = bounds();
    Size imageSize = currentImage().size();
    Size titleSize = currentTitle().empty() ? Size{} : m_titleLabel->sizeThatFits({0, 0});
    titleSize.width = std::min(titleSize.width, std::max(0.0, b.width - imageSize.width));
    double total = imageSize.width + titleSize.width;
    double x = b.x + (b.width - total) / 2;
    if (m_alignment == ContentAlignment::Left) {
        x = b.x;
    } else if (m_alignment == ContentAlignment::Right) {
        x = b.maxX() - total;
    }
    Rect imageFrame{x, b.y + (b.height - imageSize.height) / 2, imageSize.width, imageSize.height};
    Rect titleFrame{x + imageSize.width, b.y + (b.height - titleSize.height) / 2, titleSize.width,
                    titleSize.height};
    m_imageView->setFrame(imageFrame.insetBy(m_imageInsets));
    m_titleLabel->setFrame(titleFrame.insetBy(m_titleInsets));
    m_imageView->setHidden(imageSize.width <= 0);
}

void Button::draw(GraphicsContext& context, const Rect&) {
    context.drawImage(currentBackgroundImage(), bounds());
}

Size Button::sizeThatFits(Size) const {
    Size imageSize = currentImage().size();
    Size titleSize = m_titleLabel->sizeThatFits({0, 0});
    Size bg = currentBackgroundImage().size();
    return {std::max(bg.width, imageSize.width + titleSize.width),
            std::max({bg.height, imageSize.height, titleSize.height})};
}
