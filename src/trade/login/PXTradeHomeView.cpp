#include "trade/login/PXTradeHomeView.h"

#include <algorithm>

#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYAppDelegate.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXTradeHomeAccountHeader.h"
#include "trade/login/PXTradeHomeModel.h"
#include "trade/login/PXTradeHomeViewDelegate.h"

namespace {
constexpr int kFirstHoldingRow = 2;
constexpr const char* kFiguresCell = "figures";
constexpr const char* kTitlesCell = "titles";
constexpr const char* kHoldingCell = "holding";
// The figures cell's value labels are tagged from here, one per column.
constexpr int kFigureValueTag = 1;

struct OrderButton {
    const char* title;
    int index;
};
const OrderButton kQuoteButtons[] = {{" 摘牌", 0}, {"条件摘牌", 1}, {"转让", 2}, {"详情", 3}};
const OrderButton kOrderBookButtons[] = {{" 挂牌", 4}, {" 摘牌", 5}, {"转让", 6}, {"详情", 7}};

std::unique_ptr<Label> centred(const Rect& frame, const std::string& text, double size,
                               const Color& color) {
    auto label = PXJYLoginStyle::label(frame, text, size, color);
    label->setTextAlignment(TextAlignment::Center);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(9);
    return label;
}
}  // namespace

PXTradeHomeView::PXTradeHomeView(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::blackColor());
    auto table = std::make_unique<TableView>(Rect(0, 0, frame.width, frame.height));
    table->setBackgroundColor(PXJYLoginStyle::background());
    table->setSeparatorColor(PXJYLoginStyle::listSeparator());
    table->setDataSource(this);
    table->setDelegate(this);
    m_chiCangListView = addSubview(std::move(table));
}

void PXTradeHomeView::reloadTableView() {
    m_allAccountArray.clear();
    setCommodityAllKeys();
    m_currentAccountLogin = UserDefaults::standardUserDefaults().stringForKey("JYUserName");
    m_allAccountArray = PXJYSavedAccounts::ofApplication().allAccounts();
    forgetOpenRowIfGone();
    m_chiCangListView->reloadData();
}

void PXTradeHomeView::setCommodityAllKeys() {
    PXTradeModule& module = PXTradeModule::shared();
    auto* app = VKJYAppDelegate::shared();
    const auto quoteState = app ? app->hqDataClass() : nullptr;
    const auto quotes = quoteState ? quoteState->hqjyEntity() : nullptr;
    m_realSummaries = module.PXJYData().chiCangHuiZongXinXi().size();
    m_commodityAllKeys = PXTradeHomeModel::commodityAllKeys(module.PXJYData(), quotes.get(),
                                                            module.PXJYPeiZhi().platformCODE(),
                                                            module.PXJYPeiZhi().environmentCODE());
    forgetOpenRowIfGone();
}

bool PXTradeHomeView::isOpen(const PXJYChiCangHuiZong& summary) const {
    return m_openRow && m_openRow->account == m_currentAccountLogin &&
           m_openRow->commodityCode == summary.commodityCode &&
           m_openRow->buySellSign == summary.buySellSign;
}

std::shared_ptr<PXJYChiCangHuiZong> PXTradeHomeView::openSummary() const {
    for (const auto& summary : m_commodityAllKeys) {
        if (summary && isOpen(*summary)) {
            return summary;
        }
    }
    return nullptr;
}

void PXTradeHomeView::forgetOpenRowIfGone() {
    if (!openSummary()) {
        m_openRow.reset();
    }
}

std::optional<IndexPath> PXTradeHomeView::selectedCellIndexPath() const {
    const auto section = loggedInSection();
    const auto open = openSummary();
    if (!section || !open) {
        return std::nullopt;
    }
    const auto at = std::find(m_commodityAllKeys.begin(), m_commodityAllKeys.end(), open);
    return IndexPath{*section,
                     static_cast<int>(at - m_commodityAllKeys.begin()) + kFirstHoldingRow};
}

std::optional<int> PXTradeHomeView::loggedInSection() const {
    for (size_t i = 0; i < m_allAccountArray.size(); ++i) {
        if (m_allAccountArray[i].userName == m_currentAccountLogin) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

int PXTradeHomeView::numberOfSections(TableView&) {
    return static_cast<int>(m_allAccountArray.size());
}

int PXTradeHomeView::numberOfRows(TableView&, int section) {
    const auto index = static_cast<size_t>(section);
    if (index >= m_allAccountArray.size() ||
        m_allAccountArray[index].userName != m_currentAccountLogin) {
        return 0;
    }
    return static_cast<int>(m_commodityAllKeys.size()) + kFirstHoldingRow;
}

// A holding's row is its commodity and side: a press follows it when another holding's coming or
// going moves it under the finger.
std::string PXTradeHomeView::keyForRow(TableView&, IndexPath indexPath) {
    const auto row = static_cast<size_t>(indexPath.row - kFirstHoldingRow);
    if (indexPath.row < kFirstHoldingRow || row >= m_commodityAllKeys.size() ||
        !m_commodityAllKeys[row]) {
        return {};
    }
    return m_commodityAllKeys[row]->key();
}

std::optional<double> PXTradeHomeView::heightForRow(TableView&, IndexPath indexPath) {
    if (indexPath.row == 0) {
        return kFiguresHeight;
    }
    if (indexPath.row == 1) {
        return kTitlesHeight;
    }
    return selectedCellIndexPath() == indexPath ? kOpenedRowHeight : kRowHeight;
}

std::optional<double> PXTradeHomeView::heightForHeader(TableView&, int section) {
    const auto heights = PXTradeHomeModel::headerHeights(m_allAccountArray);
    const auto index = static_cast<size_t>(section);
    return index < heights.size() ? heights[index] : 0;
}

std::shared_ptr<View> PXTradeHomeView::viewForHeader(TableView& table, int section) {
    const auto index = static_cast<size_t>(section);
    auto header = table.dequeueReusableHeaderView(PXTradeHomeAccountHeader::kReuseIdentifier);
    auto account = std::dynamic_pointer_cast<PXTradeHomeAccountHeader>(header);
    if (!account) {
        account = std::make_shared<PXTradeHomeAccountHeader>(
            table.bounds().width, [this](int tapped) { headerButtonClick(tapped); });
    }
    if (index >= m_allAccountArray.size()) {
        return account;
    }
    const PXJYSavedAccount& saved = m_allAccountArray[index];
    account->show(saved, section, heightForHeader(table, section).value_or(0),
                  saved.userName == m_currentAccountLogin);
    return account;
}

std::shared_ptr<TableViewCell> PXTradeHomeView::cellForRow(TableView& table, IndexPath indexPath) {
    if (indexPath.row == 0) {
        return figuresCell(table);
    }
    if (indexPath.row == 1) {
        return titlesCell(table);
    }
    return holdingCell(table, indexPath);
}

std::shared_ptr<TableViewCell> PXTradeHomeView::figuresCell(TableView& table) {
    auto cell = table.dequeueReusableCell(kFiguresCell);
    const double width = table.bounds().width / 3;
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, kFiguresCell);
        cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
        cell->setBackgroundColor(PXJYLoginStyle::background());
        int column = 0;
        for (const char* title : {"当前权益", "浮动盈亏", "风险率"}) {
            const double x = width * column;
            cell->contentView()->addSubview(
                centred(Rect(x, 15, width, 25), title, 14, Color::whiteColor()));
            auto value = centred(Rect(x, 50, width, 30), "", 16, Color::white(0.8));
            value->setTag(kFigureValueTag + column++);
            cell->contentView()->addSubview(std::move(value));
        }
    }
    const auto figures =
        PXTradeHomeModel::figures(PXTradeModule::shared().PXJYData().computingFengXianLu());
    int column = 0;
    for (const auto& figure : {figures.equity, figures.floating, figures.risk}) {
        auto* value =
            static_cast<Label*>(cell->contentView()->viewWithTag(kFigureValueTag + column++));
        value->setText(figure.text);
        value->setTextColor(figure.color);
    }
    return cell;
}

std::shared_ptr<TableViewCell> PXTradeHomeView::titlesCell(TableView& table) {
    auto cell = table.dequeueReusableCell<PXTradeHomeRowCell>(kTitlesCell);
    if (!cell) {
        cell = std::make_shared<PXTradeHomeRowCell>(kTitlesCell, kTitlesHeight, 12, [](int) {});
        cell->setBackgroundColor(PXJYLoginStyle::listBackground());
        cell->contentView()->addSubview(std::make_unique<ImageView>(
            Rect(table.bounds().width - 14, 8, 9, 9), Image::named("JYzhankai.png")));
    }
    const Color white = Color::whiteColor();
    std::vector<PXTradeHomeModel::Figure> titles;
    for (const char* title : m_commodityInfoChange
                                 ? std::vector<const char*>{"持牌数", "方式", "盈亏"}
                                 : std::vector<const char*>{"持牌均价", "挂牌数", "转让价"}) {
        titles.push_back({title, white});
    }
    cell->setColumns("持牌商品", titles);
    return cell;
}

std::shared_ptr<TableViewCell> PXTradeHomeView::holdingCell(TableView& table, IndexPath indexPath) {
    auto cell = table.dequeueReusableCell<PXTradeHomeRowCell>(kHoldingCell);
    if (!cell) {
        cell = std::make_shared<PXTradeHomeRowCell>(
            kHoldingCell, kRowHeight, 12, [this](int position) { orderButtonAt(position); });
    }
    const auto row = static_cast<size_t>(indexPath.row - kFirstHoldingRow);
    if (row >= m_commodityAllKeys.size() || !m_commodityAllKeys[row]) {
        cell->setColumns("", {});
        cell->setOrderButtons({});
        return cell;
    }
    PXTradeData& store = PXTradeModule::shared().PXJYData();
    const auto texts = PXTradeHomeModel::rowTexts(*m_commodityAllKeys[row], store,
                                                  store.FuDongYingKui(), m_commodityInfoChange);
    cell->setColumns(texts.name, {texts.second, texts.third, texts.fourth});
    cell->setOrderButtons(isOpen(*m_commodityAllKeys[row])
                              ? orderButtons(row)
                              : std::vector<PXTradeHomeRowCell::OrderButton>{});
    return cell;
}

bool PXTradeHomeView::isOrderBook(const PXJYChiCangHuiZong& summary) {
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(summary.commodityCode);
    return found != commodities.end() && found->second && found->second->shangPinJiaoYiMoShi == "4";
}

std::vector<PXTradeHomeRowCell::OrderButton> PXTradeHomeView::orderButtons(size_t row) const {
    const bool placeholder = row >= m_realSummaries;
    std::vector<PXTradeHomeRowCell::OrderButton> buttons;
    for (const OrderButton& spec :
         isOrderBook(*m_commodityAllKeys[row]) ? kOrderBookButtons : kQuoteButtons) {
        const bool enabled = buttons.size() < 2 || !placeholder;
        buttons.push_back({spec.title, enabled});
    }
    return buttons;
}

void PXTradeHomeView::orderButtonAt(int position) {
    const auto summary = openSummary();
    if (!summary || position < 0 || position >= static_cast<int>(std::size(kQuoteButtons))) {
        return;
    }
    const auto at = static_cast<size_t>(position);
    orderButtonClick(isOrderBook(*summary) ? kOrderBookButtons[at].index : kQuoteButtons[at].index);
}

void PXTradeHomeView::orderButtonClick(int index) {
    const auto summary = openSummary();
    m_openRow.reset();
    m_chiCangListView->reloadData();
    if (m_delegate && summary) {
        m_delegate->pushViewControllerDelegate(index, summary);
    }
}

void PXTradeHomeView::didSelectRow(TableView& table, IndexPath indexPath) {
    if (indexPath.row == 1) {
        m_commodityInfoChange = !m_commodityInfoChange;
        table.reloadData();
        return;
    }
    const auto row = static_cast<size_t>(indexPath.row - kFirstHoldingRow);
    if (indexPath.row < kFirstHoldingRow || row >= m_commodityAllKeys.size()) {
        return;
    }
    const auto& tapped = m_commodityAllKeys[row];
    if (m_openRow || !tapped) {
        m_openRow.reset();
    } else {
        m_openRow = OpenRow{m_currentAccountLogin, tapped->commodityCode, tapped->buySellSign};
    }
    table.reloadData();
    if (row + 1 == m_commodityAllKeys.size()) {
        table.layoutIfNeeded();
        const double bottom = table.contentSize().height - table.bounds().height;
        if (bottom > 0) {
            table.setContentOffset({0, bottom}, true);
        }
    }
}

void PXTradeHomeView::headerButtonClick(int section) {
    const auto index = static_cast<size_t>(section);
    if (index >= m_allAccountArray.size()) {
        return;
    }
    if (m_allAccountArray[index].userName == m_currentAccountLogin) {
        m_chiCangListView->reloadData();
        return;
    }
    if (m_delegate) {
        m_delegate->PXPushSimpleLoginVC(m_allAccountArray[index]);
    }
}

void PXTradeHomeView::PXJYSimpleLoginSuccess() {
    reloadTableView();
}
