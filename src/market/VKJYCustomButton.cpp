#include "market/VKJYCustomButton.h"

#include "market/VKJYCustomButtonDelegate.h"
#include "market/VKJYQuoteTexts.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/LongPressGestureRecognizer.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {
const Color kFallColor = Color::rgb(59, 210, 53);

std::unique_ptr<Label> tileLabel(const Rect& frame, const Font& font) {
    auto label = std::make_unique<Label>(frame);
    label->setFont(font);
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(TextAlignment::Center);
    label->setBackgroundColor(Color::clearColor());
    return label;
}

std::shared_ptr<VKJYHangQingDataClass> sharedState() {
    return VKJYHangQingDataClass::current();
}

VKJYCustomButton* deleteModeTile() {
    auto state = sharedState();
    return state ? dynamic_cast<VKJYCustomButton*>(state->delectedCommodityButton()) : nullptr;
}

void setCanRefresh(bool canRefresh) {
    if (auto state = sharedState()) {
        state->setCanRefreshYiKouJia(canRefresh);
    }
}
}  // namespace

std::unique_ptr<VKJYCustomButton> VKJYCustomButton::ChooseButtonframe(const Rect& frame) {
    return std::unique_ptr<VKJYCustomButton>(new VKJYCustomButton(frame));
}

VKJYCustomButton::VKJYCustomButton(const Rect& frame) : View(frame) {}

// A tile in delete mode that goes (its grid was rebuilt without it) takes delete mode along.
VKJYCustomButton::~VKJYCustomButton() {
    auto state = sharedState();
    if (state && state->delectedCommodityButton() == this) {
        state->setDelectedCommodityButton(nullptr);
    }
}

void VKJYCustomButton::addBackgrounds(const std::string& imageName, const Rect& frame) {
    m_normalImage = addSubview(std::make_unique<ImageView>(frame, Image::named(imageName)));
    auto pressed = std::make_unique<ImageView>(frame, Image::named(""));
    pressed->setHidden(true);
    m_selectedImage = addSubview(std::move(pressed));
}

void VKJYCustomButton::setInfo(std::shared_ptr<commodityInfo> commodity) {
    m_commodity = std::move(commodity);
    addBackgrounds("lashen.png", bounds());
    m_nameLabel = addSubview(tileLabel({2, 14, 96, 16}, Font::system(10)));
    m_nameLabel->setText(m_commodity ? m_commodity->CommodityName : "");
    m_priceLabel = addSubview(tileLabel({2, 33, 96, 28}, Font::named("Helvetica-Bold", 16)));
    m_arrow = addSubview(std::make_unique<ImageView>(Rect{3, 45, 7, 5}));
    m_changeLabel = addSubview(tileLabel({20, 65, 60, 13}, Font::system(12)));
    auto mark = std::make_unique<Button>(Rect{-3, -3, 20, 20}, Button::Type::Custom);
    mark->setImage(Image::named("delete.png"));
    mark->setHidden(true);
    mark->addTarget(TouchUpInside, [this](Control&) {
        if (m_delegate) {
            m_delegate->shanchuButtonPressed(*this);
        }
    });
    m_deleteButton = addSubview(std::move(mark));
    auto press = std::make_unique<LongPressGestureRecognizer>([this](GestureRecognizer& g) {
        if (g.state() == GestureRecognizer::State::Began) {
            longPressed();
        }
    });
    press->setMinimumPressDuration(kLongPressSeconds);
    press->setAllowableMovement(kLongPressMovement);
    addGestureRecognizer(std::move(press));
}

void VKJYCustomButton::setAddCommodity() {
    addBackgrounds("lashen.png", bounds());
    m_contentImage =
        addSubview(std::make_unique<ImageView>(Rect{34, 20, 30, 30}, Image::named("zengjian.png")));
    auto label = tileLabel({10, 60, 80, 16}, Font::system(15));
    label->setText("增减商品");
    addSubview(std::move(label));
}

void VKJYCustomButton::setImageStr(const std::string& imageName, const std::string& title) {
    addBackgrounds(imageName, {0, 0, 34, 21});
    if (title.empty()) {
        return;
    }
    auto caption = tileLabel({-5, 23, 43, 15}, Font::system(9));
    caption->setTextColor(Color::orangeColor());
    caption->setText(title);
    m_titleLabel = addSubview(std::move(caption));
}

void VKJYCustomButton::setYikoujia(std::shared_ptr<YiKouJia> quote) {
    m_yikoujia = std::move(quote);
    if (!m_commodity || !m_priceLabel) {
        return;
    }
    const VKJYQuoteTexts texts = VKJYQuoteTexts::of(*m_commodity, m_yikoujia.get());
    if (m_yikoujia && m_yikoujia->pkLegth != 0) {
        m_yikoujia->addPriceStr = VKJYQuoteTexts::priceText(*m_commodity, m_yikoujia->addPrice);
    }
    m_priceLabel->setText(texts.price);
    m_priceLabel->setTextColor(texts.color);
    m_changeLabel->setText(texts.change);
    m_changeLabel->setTextColor(texts.color);
    std::string arrow;
    if (texts.hasChange && texts.color == Color::redColor()) {
        arrow = "upLoad.png";
    } else if (texts.hasChange && texts.color == kFallColor) {
        arrow = "downLoad.png";
    }
    m_arrow->setImage(arrow.empty() ? Image() : Image::named(arrow));
}

bool VKJYCustomButton::showsDeleteMark() const {
    return m_deleteButton && !m_deleteButton->isHidden();
}

void VKJYCustomButton::setShowsDeleteMark(bool shows) {
    if (m_deleteButton) {
        m_deleteButton->setHidden(!shows);
    }
}

void VKJYCustomButton::endDeleteMode() {
    if (VKJYCustomButton* tile = deleteModeTile()) {
        tile->setShowsDeleteMark(false);
    }
    if (auto state = sharedState()) {
        state->setDelectedCommodityButton(nullptr);
    }
}

void VKJYCustomButton::setPressed(bool pressed) {
    if (m_normalImage) {
        m_normalImage->setHidden(pressed);
        m_selectedImage->setHidden(!pressed);
    }
}

void VKJYCustomButton::touchesBegan(const TouchSet&, const Event&) {
    if (deleteModeTile()) {
        return;
    }
    setCanRefresh(false);
    setPressed(true);
}

void VKJYCustomButton::touchesEnded(const TouchSet&, const Event&) {
    if (deleteModeTile()) {
        endDeleteMode();
        return;
    }
    setCanRefresh(true);
    setPressed(false);
    if (m_action) {
        m_action(*this);
    }
}

void VKJYCustomButton::touchesCancelled(const TouchSet&, const Event&) {
    setCanRefresh(true);
    setPressed(false);
}

// A second long press moves delete mode here and takes the mark off the first tile.
void VKJYCustomButton::longPressed() {
    setCanRefresh(true);
    setPressed(false);
    if (VKJYCustomButton* previous = deleteModeTile(); previous && previous != this) {
        previous->setShowsDeleteMark(false);
    }
    setShowsDeleteMark(true);
    if (auto state = sharedState()) {
        state->setDelectedCommodityButton(this);
    }
}
