#include "trade/login/PXTradeHomeAccountHeader.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYTradeDirectory.h"
#include "trade/login/PXTradeHomeModel.h"

namespace {
constexpr double kBandHeight = 25;
constexpr double kAccountRowHeight = 30;
}  // namespace

PXTradeHomeAccountHeader::PXTradeHomeAccountHeader(double width, std::function<void(int)> onSwitch)
    : TableViewHeaderFooterView(kReuseIdentifier) {
    setFrame(Rect(0, 0, width, PXTradeHomeModel::kFirstHeaderHeight));
    setBackgroundColor(PXJYLoginStyle::background());
    auto band = std::make_unique<ImageView>(Rect(0, 0, width, kBandHeight),
                                            Image::named("left_blue_bgs.png"));
    m_platform = band->addSubview(
        PXJYLoginStyle::label(Rect(10, 0, 150, kBandHeight), "", 14, Color::whiteColor()));
    m_environment = band->addSubview(
        PXJYLoginStyle::label(Rect(160, 0, 150, kBandHeight), "", 14, Color::whiteColor()));
    m_environment->setTextAlignment(TextAlignment::Right);
    m_band = addSubview(std::move(band));
    m_caption = addSubview(PXJYLoginStyle::label(Rect(), "账户:", 14, Color::white(0.8)));
    m_name = addSubview(PXJYLoginStyle::label(Rect(), "", 14, Color::white(0.8)));
    m_arrow = addSubview(std::make_unique<ImageView>());
    auto button = std::make_unique<Button>();
    button->addTarget(TouchUpInside, [onSwitch](Control& c) { onSwitch(c.tag()); });
    m_switch = addSubview(std::move(button));
    m_separator = addSubview(PXJYLoginStyle::separator(0, width));
}

void PXTradeHomeAccountHeader::show(const PXJYSavedAccount& account, int section, double height,
                                    bool loggedIn) {
    const double width = bounds().width;
    setFrame(Rect(0, 0, width, height));
    const bool band = height == PXTradeHomeModel::kFirstHeaderHeight;
    m_band->setHidden(!band);
    m_platform->setHidden(PXJYTradeDirectory::hidesPlatform());
    m_platform->setText(PXJYTradeDirectory::platformName(account.platformCode));
    m_environment->setText(
        PXJYTradeDirectory::environmentName(account.platformCode, account.environmentCode));
    const double top = band ? kBandHeight : 0;
    const Color color = loggedIn ? PXJYLoginStyle::loggedInText() : Color::white(0.8);
    m_caption->setFrame(Rect(10, top, 45, kAccountRowHeight));
    m_caption->setTextColor(color);
    m_name->setFrame(Rect(55, top, 200, kAccountRowHeight));
    m_name->setText(account.userName);
    m_name->setTextColor(color);
    m_arrow->setFrame(Rect(285, top + 10.5, 16, 9));
    m_arrow->setImage(Image::named(loggedIn ? "xiasanjiao.png" : "JYzhankai.png"));
    m_switch->setFrame(Rect(265, top, 50, kAccountRowHeight));
    m_switch->setTag(section);
    Rect line = m_separator->frame();
    line.y = height - 0.4;
    m_separator->setFrame(line);
}
