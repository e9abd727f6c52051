#include "trade/login/PXJYLoginStyle.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

std::unique_ptr<Label> PXJYLoginStyle::label(const Rect& frame, const std::string& text,
                                             double size, const Color& color) {
    auto view = std::make_unique<Label>(frame, text);
    view->setFont(boldFont(size));
    view->setTextColor(color);
    return view;
}

std::unique_ptr<Label> PXJYLoginStyle::caption(const Rect& frame, const std::string& text,
                                               double size) {
    return label(frame, text, size, captionText());
}

std::unique_ptr<View> PXJYLoginStyle::separator(double y, double width) {
    auto line = std::make_unique<View>(Rect(0, y, width, 0.4));
    line->setBackgroundColor(Color::blackColor());
    line->setAlpha(0.4);
    return line;
}

std::unique_ptr<Button> PXJYLoginStyle::redButton(const Rect& frame, const std::string& title) {
    auto button = std::make_unique<Button>(frame);
    button->setBackgroundImage(Image::named("anniuhong.png").stretchable(5, 5));
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->titleLabel()->setFont(boldFont(17));
    return button;
}

std::unique_ptr<Label> PXJYLoginStyle::note(const Rect& frame, const std::string& text) {
    auto view = std::make_unique<Label>(frame, text);
    view->setFont(Font::system(12));
    view->setTextColor(lightText());
    return view;
}

std::unique_ptr<Button> PXJYLoginStyle::link(const Rect& frame, const std::string& title) {
    auto button = std::make_unique<Button>(frame);
    button->setTitle(title);
    button->setTitleColor(linkText());
    button->titleLabel()->setFont(Font::system(12));
    button->setContentHorizontalAlignment(ContentAlignment::Left);
    return button;
}

std::unique_ptr<ImageView> PXJYLoginStyle::arrow(double right, double rowY) {
    return std::make_unique<ImageView>(Rect(right - 16, rowY + 20.5, 16, 9),
                                       Image::named("xiasanjiao.png"));
}
