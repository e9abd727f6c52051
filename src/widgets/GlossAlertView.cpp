#include "widgets/GlossAlertView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "widgets/GlossAlertBackground.h"

namespace {

struct AlertLook {
    Color text;
    Color buttonTitle;
    Color buttonPressedTitle;
    Color separator;
};

const AlertLook kGlossLook{Color::whiteColor(), Color::whiteColor(), Color::white(0.7),
                           Color::white(1, 0.25)};
const AlertLook kAllWhiteLook{Color::rgb(51, 51, 51), Color::rgb(0, 122, 255),
                              Color::rgb(0, 80, 170), Color::white(0.8)};

}  // namespace

GlossAlertView::GlossAlertView(const std::string& title, const std::string& message,
                               AlertViewDelegate* delegate, const std::string& cancelButtonTitle,
                               const std::vector<std::string>& otherButtonTitles)
    : AlertView(title, message, delegate, cancelButtonTitle, otherButtonTitles) {
    m_background = box()->addSubview(std::make_unique<GlossAlertBackground>());
    box()->sendSubviewToBack(m_background);
    applyStyle();
}

void GlossAlertView::setStyle(int style) {
    m_style = style;
    applyStyle();
}

void GlossAlertView::applyStyle() {
    const bool allWhite = m_style == kStyleAllWhite;
    const AlertLook& look = allWhite ? kAllWhiteLook : kGlossLook;
    m_background->setAllWhite(allWhite);
    titleLabel()->setTextColor(look.text);
    messageLabel()->setTextColor(look.text);
    for (int i = 0; i < numberOfButtons(); ++i) {
        Button* button = buttonAtIndex(i);
        button->setTitleColor(look.buttonTitle);
        button->setTitleColor(look.buttonPressedTitle, StateHighlighted);
        button->setBorderColor(look.separator);
    }
}

void GlossAlertView::layoutSubviews() {
    AlertView::layoutSubviews();
    m_background->setFrame(box()->bounds());
}
