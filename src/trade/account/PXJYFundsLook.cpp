#include "trade/account/PXJYFundsLook.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "trade/common/PXTradeViewKit.h"

std::shared_ptr<View> PXJYFundsLook::rootView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect(0, 0, area.width, area.y + area.height));
    root->setBackgroundColor(PXTradeViewKit::background());
    return root;
}

TextField* PXJYFundsLook::addField(View& parent, const Rect& frame, TextFieldDelegate* delegate,
                                   bool secure) {
    parent.addSubview(
        std::make_unique<ImageView>(frame, PXTradeViewKit::stretchable("lashen_x.png")));
    auto field = std::make_unique<TextField>(frame);
    field->setTextColor(fieldText());
    field->setFont(Font::named("Helvetica-Bold", 16));
    field->setSecureTextEntry(secure);
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    field->setDelegate(delegate);
    return parent.addSubview(std::move(field));
}

std::unique_ptr<Button> PXJYFundsLook::button(const Rect& frame, const std::string& title,
                                              const std::string& image) {
    auto button = std::make_unique<Button>(frame);
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->setBackgroundImage(PXTradeViewKit::stretchable(image));
    return button;
}

std::shared_ptr<View> PXJYFundsLook::sectionHeader(const std::string& text) {
    auto header = PXTradeViewKit::label(Rect(0, 0, 320, 25), "  " + text, 16, labelGrey());
    header->setBackgroundColor(Color::rgb(49, 49, 51));
    return std::shared_ptr<View>(std::move(header));
}
