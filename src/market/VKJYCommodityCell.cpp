#include "market/VKJYCommodityCell.h"

#include "market/VKJYMarketCatalogue.h"
#include "market/VKJYMarketStyle.h"
#include "market/VKJYQuoteTexts.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "quote/QuoteRecords.h"

namespace {
std::unique_ptr<Label> rowLabel(const Rect& frame, const Font& font, TextAlignment alignment) {
    auto label = std::make_unique<Label>(frame);
    label->setFont(font);
    label->setTextAlignment(alignment);
    label->setBackgroundColor(Color::clearColor());
    return label;
}
}  // namespace

VKJYCommodityCell::VKJYCommodityCell(std::shared_ptr<commodityInfo> commodity)
    : TableViewCell(Style::Default, kReuseIdentifier), m_comInfo(std::move(commodity)) {
    setBackgroundColor(VKJYMarketStyle::listColor());
    contentView()->setBackgroundColor(VKJYMarketStyle::listColor());
    setClipsToBounds(true);
    auto selected = std::make_shared<View>(Rect{0, 0, 320, 44});
    auto highlight = std::make_unique<ImageView>(Rect{-10, -1, 340, 46});
    highlight->setBackgroundColor(Color::rgb(35, 101, 249));
    selected->addSubview(std::move(highlight));
    setSelectedBackgroundView(selected);
    auto line = std::make_unique<ImageView>(
        Rect{0, 43, 320, 1}, Image::named("xian-hengxian.png").resizable(EdgeInsets{}));
    addSubview(std::move(line));
    m_nameLabel =
        contentView()->addSubview(rowLabel({5, 0, 135, 44}, Font::system(14), TextAlignment::Left));
    m_nameLabel->setTextColor(Color::whiteColor());
    m_priceLabel = contentView()->addSubview(
        rowLabel({140, 0, 105, 44}, Font::named("Helvetica-Bold", 14), TextAlignment::Right));
    m_changeLabel = contentView()->addSubview(
        rowLabel({250, 0, 65, 44}, Font::named("Helvetica-Bold", 14), TextAlignment::Right));
    setCommodityInfo(m_comInfo, nullptr);
}

void VKJYCommodityCell::setCommodityInfo(std::shared_ptr<commodityInfo> commodity,
                                         const std::shared_ptr<YiKouJia>& quote) {
    m_comInfo = std::move(commodity);
    m_shownQuote = quote;
    if (!m_comInfo) {
        return;
    }
    m_nameLabel->setText(m_comInfo->CommodityName);
    const VKJYQuoteTexts texts = VKJYQuoteTexts::of(*m_comInfo, quote.get());
    m_priceLabel->setText(texts.price);
    m_priceLabel->setTextColor(texts.color);
    m_changeLabel->setText(texts.change);
    m_changeLabel->setTextColor(texts.color);
}

void VKJYCommodityCell::refreshVisibleRows(TableView& table, const VKJYMarketCatalogue& catalogue) {
    for (TableViewCell* cell : table.visibleCells()) {
        auto* row = dynamic_cast<VKJYCommodityCell*>(cell);
        if (!row || !row->m_comInfo) {
            continue;
        }
        // A reply renews the quotes of one panel; the other rows keep theirs.
        auto quote = catalogue.currentYiKouJia(*row->m_comInfo);
        if (!quote || quote != row->m_shownQuote) {
            row->setCommodityInfo(row->m_comInfo, quote);
        }
    }
}
