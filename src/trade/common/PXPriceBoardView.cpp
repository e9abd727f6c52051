#include "trade/common/PXPriceBoardView.h"

#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYTradingDirectionFactory.h"
#include "trade/common/PXPriceBoardFigures.h"
#include "trade/common/PXTradeFormat.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const double kColumnWidth = 70;
const double kLeftColumn = 170;
const double kRightColumn = 250;

std::string vkAppName() {
    const VKJYAppDelegate* app = VKJYAppDelegate::shared();
    return app ? app->vkAppName() : std::string();
}

void show(Label* label, const PXPriceBoardFigures::Cell& cell) {
    if (!label) {
        return;
    }
    label->setText(cell.text);
    label->setTextColor(cell.color);
}
}  // namespace

PXPriceBoardView::PXPriceBoardView(const Rect& frame, bool dealingPrices) : View(frame) {
    initCommodityInformationView(dealingPrices);
}

void PXPriceBoardView::initCommodityInformationView(bool dealingPrices) {
    setBackgroundColor(Color::blackColor());
    const Image rule = Image::named("xian-hengxian.png").stretchable(1, 0);
    addSubview(std::make_unique<ImageView>(Rect{0, 0, kWidth, 1}, rule));
    setYiKouJiaView();
    setHighAndLowLabel(dealingPrices);
    addSubview(std::make_unique<ImageView>(Rect{0, 85, kWidth, 1}, rule));
    setKaipanLabelAndZuoShouLabel();
}

Label* PXPriceBoardView::addLabel(const Rect& frame, const std::string& text, double fontSize,
                                  bool centred) {
    auto label = std::make_unique<Label>(frame, text);
    label->setFont(Font::named(kBoldFont, fontSize));
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(centred ? TextAlignment::Center : TextAlignment::Left);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumFontSize(8);
    return addSubview(std::move(label));
}

void PXPriceBoardView::setYiKouJiaView() {
    addSubview(std::make_unique<ImageView>(Rect{20, 5, 80, 80}, Image::named("lashen.png")));
    m_dangQianJia = addLabel({20, 30, 80, 20}, PXTradeFormat::kMissing, 16);
    m_zhangFu = addLabel({5, 53, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
    m_zhangFuBi = addLabel({45, 53, kColumnWidth, 15}, PXTradeFormat::kMissing, 10);
}

void PXPriceBoardView::setHighAndLowLabel(bool dealingPrices) {
    const Image rule = Image::named("xian-shuxian.png");
    addSubview(std::make_unique<ImageView>(Rect{165, 0, 1, 85}, rule));
    addSubview(std::make_unique<ImageView>(Rect{245, 0, 1, 85}, rule));
    if (!dealingPrices) {
        addLabel({kLeftColumn, 25, kColumnWidth, 16}, "最高价", 14);
        addLabel({kRightColumn, 25, kColumnWidth, 16}, "最低价", 14);
        m_zuiGaoL = addLabel({kLeftColumn, 45, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
        m_zuiDiL = addLabel({kRightColumn, 45, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
        return;
    }
    const std::string app = vkAppName();
    addLabel({kLeftColumn, 9, kColumnWidth, 16}, VKJYTradingDirectionFactory::highPriceText(app),
             14);
    addLabel({kRightColumn, 9, kColumnWidth, 16}, VKJYTradingDirectionFactory::lowPriceText(app),
             14);
    m_buyl = addLabel({kLeftColumn, 27, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
    m_sellL = addLabel({kRightColumn, 27, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
    addLabel({kLeftColumn, 47, kColumnWidth, 16}, "最高价", 14);
    addLabel({kRightColumn, 47, kColumnWidth, 16}, "最低价", 14);
    m_zuiGaoL = addLabel({kLeftColumn, 65, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
    m_zuiDiL = addLabel({kRightColumn, 65, kColumnWidth, 15}, PXTradeFormat::kMissing, 12);
}

void PXPriceBoardView::setKaipanLabelAndZuoShouLabel() {
    const double y = 92;
    double x = 5;
    Label** values[] = {&m_kaiPanJ, &m_zuoShouJ, &m_zhengFuL};
    const char* captions[] = {"开盘:", "昨收:", "涨幅:"};
    for (int i = 0; i < 3; ++i) {
        addLabel({x, y, 35, 16}, captions[i], 14, false);
        *values[i] = addLabel({x + 35, y, 65, 16}, PXTradeFormat::kMissing, 12, false);
        x += 35 + 65 + 5;
    }
}

void PXPriceBoardView::fill(const PXPriceBoardFigures& figures) {
    show(m_dangQianJia, figures.dangQianJia);
    show(m_zhangFu, figures.zhangFu);
    show(m_zhangFuBi, figures.zhangFuBi);
    show(m_buyl, figures.buyl);
    show(m_sellL, figures.sellL);
    show(m_zuiGaoL, figures.zuiGaoL);
    show(m_zuiDiL, figures.zuiDiL);
    show(m_kaiPanJ, figures.kaiPanJ);
    show(m_zuoShouJ, figures.zuoShouJ);
    show(m_zhengFuL, figures.zhengFuL);
}

void PXPriceBoardView::fill(const PXTradeData& store, const std::string& code) {
    fill(PXPriceBoardFigures::fromStore(store, code));
}
