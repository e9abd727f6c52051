#include "market/VKJYEditChooseCommodityCell.h"

#include "market/VKJYMarketStyle.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "quote/QuoteRecords.h"

namespace {
Color normalColor() {
    return Color::rgb(181, 177, 176);
}

Label* addLabel(View& parent, const Rect& frame) {
    auto label = std::make_unique<Label>(frame);
    label->setBackgroundColor(Color::clearColor());
    label->setTextAlignment(TextAlignment::Left);
    label->setTextColor(normalColor());
    label->setFont(Font::system(13));
    return parent.addSubview(std::move(label));
}
}  // namespace

VKJYEditChooseCommodityCell::VKJYEditChooseCommodityCell()
    : TableViewCell(Style::Default, kReuseIdentifier) {
    setBackgroundColor(VKJYMarketStyle::listColor());
    contentView()->setBackgroundColor(VKJYMarketStyle::listColor());
    setSelectionStyle(SelectionStyle::None);
    m_idLabel = addLabel(*contentView(), {10, 10, 70, 24});
    m_nameLabel = addLabel(*contentView(), {105, 10, 170, 24});
    m_chooseImageView = contentView()->addSubview(
        std::make_unique<ImageView>(Rect{282, 13, 18, 18}, Image::named("duihao2.png")));
    addSubview(std::make_unique<ImageView>(
        Rect{0, 43, 320, 1}, Image::named("xian-hengxian.png").resizable({0, 0, 0, 0})));
}

void VKJYEditChooseCommodityCell::setCommodityInfo(std::shared_ptr<commodityInfo> commodity) {
    m_commodity = std::move(commodity);
    m_idLabel->setText(m_commodity ? m_commodity->CommodityCode : "");
    m_nameLabel->setText(m_commodity ? m_commodity->CommodityName : "");
}

void VKJYEditChooseCommodityCell::setBeChoose(bool chosen) {
    m_chosen = chosen;
    m_chooseImageView->setImage(Image::named(chosen ? "duihao.png" : "duihao2.png"));
    const Color color = chosen ? Color::whiteColor() : normalColor();
    m_idLabel->setTextColor(color);
    m_nameLabel->setTextColor(color);
}
