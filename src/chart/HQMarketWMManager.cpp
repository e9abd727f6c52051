#include "chart/HQMarketWMManager.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr const char* kBookCell = "HangQing.ChengJiaoWuDang.Cell";
constexpr const char* kTradeCell = "HangQing.ChengJiaoMingXi.Cell";
constexpr int kFirstLabelTag = 1;
constexpr int kPriceLabelTag = 2;
constexpr int kVolumeLabelTag = 3;
constexpr int kBookRows = 5;
constexpr int kTradeRows = 10;
constexpr double kBookFontSize = 12;
constexpr double kTradeFontSize = 8;
constexpr double kWatermarkFontSize = 28;
constexpr double kButtonFontSize = 14;
constexpr double kLevelWidth = 12;
// The panel ends at the screen's edge: right-aligned volumes end this far inside it.
constexpr double kVolumeRightInset = 4;

Label* addLabel(View& parent, const Rect& frame, const std::string& text, double fontSize,
                TextAlignment alignment, int tag = 0) {
    auto label = std::make_unique<Label>(frame, text);
    label->setFont(Font::system(fontSize));
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(alignment);
    label->setBackgroundColor(Color::clearColor());
    label->setTag(tag);
    return parent.addSubview(std::move(label));
}

Label* labelOf(TableViewCell& cell, int tag) {
    return static_cast<Label*>(cell.contentView()->viewWithTag(tag));
}

void fill(TableViewCell& cell, const HQWMRowTexts& texts) {
    labelOf(cell, kFirstLabelTag)->setText(texts.first);
    Label* price = labelOf(cell, kPriceLabelTag);
    price->setText(texts.price);
    if (texts.priceColor) {
        price->setTextColor(*texts.priceColor);
    }
    labelOf(cell, kVolumeLabelTag)->setText(texts.volume);
}

std::shared_ptr<TableViewCell> plainCell(const std::string& identifier) {
    auto cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, identifier);
    cell->setBackgroundColor(Color::clearColor());
    cell->contentView()->setBackgroundColor(Color::clearColor());
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    return cell;
}

}  // namespace

HQMarketWMManager::HQMarketWMManager(std::vector<std::shared_ptr<MarketItem>> commodityInfoArray,
                                     std::shared_ptr<commodityInfo> selectedCommodityInfo,
                                     uint32_t stateOfScreen, uint32_t device)
    : m_commodityInfoArray(std::move(commodityInfoArray)),
      m_selectedCommodityInfo(std::move(selectedCommodityInfo)),
      m_stateOfScreen(stateOfScreen),
      m_device(device) {
    setBackgroundColor(Color::blackColor());
}

void HQMarketWMManager::setupViews(int tradingMode) {
    m_builtMode = tradingMode;
    m_builtSize = bounds().size();
    if (tradingMode == kOrderBookMode) {
        addSwitchButton();
        addWuDangMingXiViews();
        return;
    }
    m_currentSwitchType = kMingXiShown;
    addMingXIButton();
    setupMingXiView();
    m_mingXiUIView->setHidden(false);
}

void HQMarketWMManager::recreateViews(int tradingMode) {
    // Views built for this mode and size stay, so a finger on a switch keeps its button.
    if (m_builtMode == tradingMode && m_builtSize == bounds().size()) {
        return;
    }
    for (View* view : subviews()) {
        view->removeFromSuperview();
    }
    m_wuDangUIView = m_mingXiUIView = nullptr;
    m_wuDangSellTableView = m_wuDangBuyTableView = m_mingXiTableView = nullptr;
    m_wuDangButton = m_mingXiButton = nullptr;
    setupViews(tradingMode);
    if (m_currentSwitchType == kWuDangShown) {
        wuDangButtonClick();
    } else {
        mingXiButtonClick();
    }
}

void HQMarketWMManager::refreshAllTableView(const std::shared_ptr<YiKouJia>& quote) {
    if (!quote) {
        return;
    }
    m_content.refreshAllTableView(quote);
    reloadTables();
}

void HQMarketWMManager::forgetQuotes(const commodityInfo& commodity) {
    auto blank = std::make_shared<YiKouJia>();
    blank->commodityNum = commodity.CommodityID;
    blank->MarketID = commodity.MarketID;
    blank->DiskID = commodity.DiskID;
    blank->hpIndex = commodity.panindex;
    m_content = HQMarketWMContent();
    m_content.refreshAllTableView(blank);
    reloadTables();
}

void HQMarketWMManager::wuDangButtonClick() {
    show(kWuDangShown);
}

void HQMarketWMManager::mingXiButtonClick() {
    show(kMingXiShown);
}

void HQMarketWMManager::show(int switchType) {
    m_currentSwitchType = switchType;
    const bool book = switchType == kWuDangShown;
    if (m_wuDangUIView) {
        m_wuDangUIView->setHidden(!book);
    }
    if (m_mingXiUIView) {
        m_mingXiUIView->setHidden(book);
    }
    if (m_wuDangButton) {
        m_wuDangButton->setTitleColor(book ? Color::whiteColor() : Color::grayColor());
    }
    if (m_mingXiButton) {
        m_mingXiButton->setTitleColor(book ? Color::grayColor() : Color::whiteColor());
    }
    reloadTables();
}

void HQMarketWMManager::reloadTables() {
    for (TableView* table : {m_wuDangSellTableView, m_wuDangBuyTableView, m_mingXiTableView}) {
        if (table) {
            table->reloadData();
        }
    }
}

Button* HQMarketWMManager::addButton(const Rect& frame, const std::string& title,
                                     const Color& color, void (HQMarketWMManager::*action)()) {
    auto button = std::make_unique<Button>(frame);
    button->setTitle(title);
    button->setTitleColor(color);
    button->titleLabel()->setFont(Font::system(kButtonFontSize));
    button->addTarget(TouchUpInside, [this, action](Control&) { (this->*action)(); });
    return addSubview(std::move(button));
}

void HQMarketWMManager::addSwitchButton() {
    const double half = bounds().width / 2;
    m_wuDangButton = addButton({0, 0, half, kButtonHeight}, "五档", Color::grayColor(),
                               &HQMarketWMManager::wuDangButtonClick);
    m_mingXiButton = addButton({half, 0, half, kButtonHeight}, "明细", Color::whiteColor(),
                               &HQMarketWMManager::mingXiButtonClick);
}

void HQMarketWMManager::addMingXIButton() {
    m_mingXiButton = addButton({0, 0, bounds().width, kButtonHeight}, "明细", Color::whiteColor(),
                               &HQMarketWMManager::mingXiButtonClick);
}

void HQMarketWMManager::addWuDangMingXiViews() {
    setupWuDangView();
    setupMingXiView();
    m_mingXiUIView->setHidden(false);
}

TableView* HQMarketWMManager::addTable(View& parent, const Rect& frame, int tag) {
    auto table = std::make_unique<TableView>(frame);
    table->setTag(tag);
    table->setDataSource(this);
    table->setDelegate(this);
    table->setScrollEnabled(false);
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    table->setBackgroundColor(Color::clearColor());
    return parent.addSubview(std::move(table));
}

void HQMarketWMManager::setupWuDangView() {
    const double w = bounds().width;
    const double h = bounds().height;
    auto view = std::make_unique<View>(Rect{0, kButtonHeight, w, h - kButtonHeight});
    view->setBackgroundColor(Color::blackColor());
    view->setHidden(true);
    m_wuDangUIView = addSubview(std::move(view));
    const double half = m_wuDangUIView->bounds().height / 2;
    // Large marks behind the two sides, each filling its half of the book: asks above, bids
    // below.
    for (Label* mark : {addLabel(*m_wuDangUIView, {0, 0, w, half}, "售", kWatermarkFontSize,
                                 TextAlignment::Center),
                        addLabel(*m_wuDangUIView, {0, half, w, half}, "购", kWatermarkFontSize,
                                 TextAlignment::Center)}) {
        mark->setTextColor(Color::grayColor());
    }
    auto separator = std::make_unique<View>(Rect{0, half, w, 1});
    separator->setBackgroundColor(Color::grayColor());
    m_wuDangUIView->addSubview(std::move(separator));
    const double side = (h - kButtonHeight) / 2;
    m_wuDangSellTableView = addTable(*m_wuDangUIView, {0, 0, w, side}, kSellTableTag);
    m_wuDangBuyTableView = addTable(*m_wuDangUIView, {0, side, w, side}, kBuyTableTag);
}

void HQMarketWMManager::setupMingXiView() {
    const double w = bounds().width;
    const double h = bounds().height;
    auto view = std::make_unique<View>(Rect{0, kButtonHeight, w, h - kButtonHeight});
    view->setBackgroundColor(Color::blackColor());
    view->setHidden(true);
    m_mingXiUIView = addSubview(std::move(view));
    const char* const titles[] = {"时", "价", "量"};
    for (int i = 0; i < 3; ++i) {
        addLabel(*m_mingXiUIView, {w * i / 3, 0, w / 3, kButtonHeight}, titles[i], kBookFontSize,
                 TextAlignment::Center);
    }
    // Under the header row the table has what is left of the trade view, no more: its ten rows
    // end with the panel.
    m_mingXiTableView = addTable(*m_mingXiUIView, {0, kButtonHeight, w, h - 2 * kButtonHeight}, 0);
}

int HQMarketWMManager::numberOfRows(TableView& table, int) {
    if (m_currentSwitchType == kMingXiShown) {
        return kTradeRows;
    }
    if (m_currentSwitchType != kWuDangShown) {
        return 0;
    }
    return table.tag() == kSellTableTag || table.tag() == kBuyTableTag ? kBookRows : 0;
}

std::optional<double> HQMarketWMManager::heightForRow(TableView&, IndexPath) {
    const double h = bounds().height;
    if (m_currentSwitchType == kMingXiShown) {
        return (h - 2 * kButtonHeight) / kTradeRows;
    }
    if (m_currentSwitchType == kWuDangShown) {
        return (h - kButtonHeight) / (2 * kBookRows);
    }
    return 0.0;
}

std::shared_ptr<TableViewCell> HQMarketWMManager::cellForRow(TableView& table,
                                                             IndexPath indexPath) {
    if (table.tag() == kSellTableTag || table.tag() == kBuyTableTag) {
        return bookCell(table, indexPath.row);
    }
    return tradeCell(table, indexPath.row);
}

std::shared_ptr<TableViewCell> HQMarketWMManager::bookCell(TableView& table, int row) {
    auto cell = table.dequeueReusableCell(kBookCell);
    if (!cell) {
        cell = plainCell(kBookCell);
        const double w = bounds().width;
        const double height = (bounds().height - kButtonHeight) / (2 * kBookRows);
        const double column = (w - kLevelWidth) / 2;
        View& content = *cell->contentView();
        addLabel(content, {0, 0, kLevelWidth, height}, "", kBookFontSize, TextAlignment::Left,
                 kFirstLabelTag);
        addLabel(content, {kLevelWidth, 0, column, height}, "", kBookFontSize,
                 TextAlignment::Center, kPriceLabelTag)
            ->setTextColor(Color::redColor());
        addLabel(content, {kLevelWidth + column, 0, column - kVolumeRightInset, height}, "",
                 kBookFontSize, TextAlignment::Right, kVolumeLabelTag);
    }
    fill(*cell, table.tag() == kSellTableTag ? m_content.sellRow(row) : m_content.buyRow(row));
    return cell;
}

std::shared_ptr<TableViewCell> HQMarketWMManager::tradeCell(TableView& table, int row) {
    auto cell = table.dequeueReusableCell(kTradeCell);
    if (!cell) {
        cell = plainCell(kTradeCell);
        const double w = bounds().width;
        const double height = (bounds().height - kButtonHeight) / kTradeRows;
        const TextAlignment alignments[] = {TextAlignment::Left, TextAlignment::Center,
                                            TextAlignment::Right};
        for (int i = 0; i < 3; ++i) {
            const double inset = i == 2 ? kVolumeRightInset : 0;
            Label* label = addLabel(*cell->contentView(), {w * i / 3, 0, w / 3 - inset, height}, "",
                                    kTradeFontSize, alignments[i], kFirstLabelTag + i);
            if (i == 1) {
                label->setTextColor(Color::redColor());
            }
        }
    }
    fill(*cell, m_content.tradeRow(row));
    return cell;
}
