#include "trade/login/PXTradeHomeView.h"

#include <algorithm>

#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYAppDelegate.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYLoginStyle.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeDirectory.h"
#include "trade/login/PXTradeHomeModel.h"
#include "trade/login/PXTradeHomeViewDelegate.h"

namespace {
constexpr double kNameWidth = 82.5;
constexpr double kColumnWidth = 80;
constexpr double kBandHeight = 25;
constexpr double kAccountRowHeight = 30;
constexpr int kFirstHoldingRow = 2;

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

std::shared_ptr<TableViewCell> plainCell() {
    auto cell = std::make_shared<TableViewCell>();
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setBackgroundColor(PXJYLoginStyle::background());
    return cell;
}

// Four columns: the name, then three values.
void addColumns(View& content, const std::string& name,
                const std::vector<PXTradeHomeModel::Figure>& values, double height, double size) {
    content.addSubview(centred(Rect(0, 0, kNameWidth, height), name, size, Color::white(0.8)));
    double x = kNameWidth;
    for (const auto& value : values) {
        content.addSubview(
            centred(Rect(x, 0, kColumnWidth, height), value.text, size, value.color));
        x += kColumnWidth;
    }
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
    const double height = heightForHeader(table, section).value_or(0);
    auto header = std::make_shared<View>(Rect(0, 0, table.bounds().width, height));
    header->setBackgroundColor(PXJYLoginStyle::background());
    if (index >= m_allAccountArray.size()) {
        return header;
    }
    const PXJYSavedAccount& account = m_allAccountArray[index];
    double top = 0;
    if (height == PXTradeHomeModel::kFirstHeaderHeight) {
        auto band = std::make_unique<ImageView>(Rect(0, 0, header->bounds().width, kBandHeight),
                                                Image::named("left_blue_bgs.png"));
        if (!PXJYTradeDirectory::hidesPlatform()) {
            band->addSubview(PXJYLoginStyle::label(
                Rect(10, 0, 150, kBandHeight),
                PXJYTradeDirectory::platformName(account.platformCode), 14, Color::whiteColor()));
        }
        auto environment = PXJYLoginStyle::label(
            Rect(160, 0, 150, kBandHeight),
            PXJYTradeDirectory::environmentName(account.platformCode, account.environmentCode), 14,
            Color::whiteColor());
        environment->setTextAlignment(TextAlignment::Right);
        band->addSubview(std::move(environment));
        header->addSubview(std::move(band));
        top = kBandHeight;
    }
    const bool loggedIn = account.userName == m_currentAccountLogin;
    const Color color = loggedIn ? PXJYLoginStyle::loggedInText() : Color::white(0.8);
    header->addSubview(
        PXJYLoginStyle::label(Rect(10, top, 45, kAccountRowHeight), "账户:", 14, color));
    header->addSubview(
        PXJYLoginStyle::label(Rect(55, top, 200, kAccountRowHeight), account.userName, 14, color));
    header->addSubview(std::make_unique<ImageView>(
        Rect(285, top + 10.5, 16, 9), Image::named(loggedIn ? "xiasanjiao.png" : "JYzhankai.png")));
    auto button = std::make_unique<Button>(Rect(265, top, 50, kAccountRowHeight));
    button->setTag(section);
    button->addTarget(TouchUpInside, [this, section](Control&) { headerButtonClick(section); });
    header->addSubview(std::move(button));
    header->addSubview(PXJYLoginStyle::separator(height - 0.4, header->bounds().width));
    return header;
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
    auto cell = plainCell();
    const auto figures =
        PXTradeHomeModel::figures(PXTradeModule::shared().PXJYData().computingFengXianLu());
    const double width = table.bounds().width / 3;
    const std::pair<const char*, PXTradeHomeModel::Figure> columns[] = {
        {"当前权益", figures.equity}, {"浮动盈亏", figures.floating}, {"风险率", figures.risk}};
    double x = 0;
    for (const auto& [title, value] : columns) {
        cell->contentView()->addSubview(
            centred(Rect(x, 15, width, 25), title, 14, Color::whiteColor()));
        cell->contentView()->addSubview(
            centred(Rect(x, 50, width, 30), value.text, 16, value.color));
        x += width;
    }
    return cell;
}

std::shared_ptr<TableViewCell> PXTradeHomeView::titlesCell(TableView& table) {
    auto cell = plainCell();
    cell->setBackgroundColor(PXJYLoginStyle::listBackground());
    const Color white = Color::whiteColor();
    std::vector<PXTradeHomeModel::Figure> titles;
    for (const char* title : m_commodityInfoChange
                                 ? std::vector<const char*>{"持牌数", "方式", "盈亏"}
                                 : std::vector<const char*>{"持牌均价", "挂牌数", "转让价"}) {
        titles.push_back({title, white});
    }
    addColumns(*cell->contentView(), "持牌商品", titles, kTitlesHeight, 12);
    cell->contentView()->addSubview(std::make_unique<ImageView>(
        Rect(table.bounds().width - 14, 8, 9, 9), Image::named("JYzhankai.png")));
    return cell;
}

std::shared_ptr<TableViewCell> PXTradeHomeView::holdingCell(TableView&, IndexPath indexPath) {
    auto cell = plainCell();
    const auto row = static_cast<size_t>(indexPath.row - kFirstHoldingRow);
    if (row >= m_commodityAllKeys.size() || !m_commodityAllKeys[row]) {
        return cell;
    }
    PXTradeData& store = PXTradeModule::shared().PXJYData();
    const auto texts = PXTradeHomeModel::rowTexts(*m_commodityAllKeys[row], store,
                                                  store.FuDongYingKui(), m_commodityInfoChange);
    addColumns(*cell->contentView(), texts.name, {texts.second, texts.third, texts.fourth},
               kRowHeight, 12);
    if (isOpen(*m_commodityAllKeys[row])) {
        addOrderButtons(*cell->contentView(), row);
    }
    return cell;
}

void PXTradeHomeView::addOrderButtons(View& content, size_t row) {
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(m_commodityAllKeys[row]->commodityCode);
    const bool orderBook =
        found != commodities.end() && found->second && found->second->shangPinJiaoYiMoShi == "4";
    const bool placeholder = row >= m_realSummaries;
    double x = 10;
    int position = 0;
    for (const OrderButton& spec : orderBook ? kOrderBookButtons : kQuoteButtons) {
        const bool enabled = position < 2 || !placeholder;
        auto button = PXJYLoginStyle::redButton(Rect(x, 45, 72, 40), spec.title);
        button->titleLabel()->setFont(PXJYLoginStyle::boldFont(14));
        if (!enabled) {
            button->setBackgroundImage(Image::named("anniu.png").stretchable(5, 5));
            button->setEnabled(false);
        }
        const int index = spec.index;
        button->addTarget(TouchUpInside, [this, index](Control&) { orderButtonClick(index); });
        content.addSubview(std::move(button));
        x += 72 + 4;
        ++position;
    }
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
    PXJYSwitchingAccountView::stopTimers();
    if (m_delegate) {
        m_delegate->PXPushSimpleLoginVC(m_allAccountArray[index]);
    }
}

void PXTradeHomeView::PXJYSimpleLoginSuccess() {
    reloadTableView();
    PXJYSwitchingAccountView::restartTimers();
}

void PXTradeHomeView::PXJYSimpleLoginCancelAction() {
    PXJYSwitchingAccountView::restartTimers();
}
