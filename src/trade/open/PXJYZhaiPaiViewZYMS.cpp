#include "trade/open/PXJYZhaiPaiViewZYMS.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const double kBookTop = 150;
const double kBookHeight = 150;
}  // namespace

PXJYZhaiPaiViewZYMS::PXJYZhaiPaiViewZYMS(const Rect& frame, CommodityCodes commodityCodes)
    : PXJianCangFormView(frame, std::move(commodityCodes),
                         {450, Color::rgb(59, 59, 71), kQuantityTag, 0, 455, 365}) {
    buildScrollArea();
    buildAccountRow(rowTop(0));
    buildNameRow(rowTop(1));
    // Of the three rows only the first two have a rule under them.
    buildSideRow(rowTop(2), false);
    m_guaPaiListView = scrollArea()->addSubview(
        std::make_unique<PXJYGuaPaiList>(Rect{0, kBookTop, bounds().width, kBookHeight}));
    auto more = std::make_unique<Button>(Rect{220, kBookTop + kBookHeight, 100, 25});
    more->setTitle(">>查看更多");
    more->setTitleColor(Color::whiteColor());
    more->titleLabel()->setFont(Font::named(kBoldFont, 12));
    more->addTarget(TouchUpInside, [this](Control&) { moreButtonAction(); });
    m_moreButton = scrollArea()->addSubview(std::move(more));

    const double priceTop = kBookTop + kBookHeight + 25;
    addCaption("摘牌价:", priceTop - 10, 15, 65, false);
    auto price = std::make_unique<Label>(Rect{80, priceTop, 200, 30});
    price->setFont(Font::named(kBoldFont, 16));
    price->setTextColor(Color::whiteColor());
    m_jiaGeZ = scrollArea()->addSubview(std::move(price));
    const double quantityTop = priceTop + 40;
    addCaption("摘牌数:", quantityTop - 10, 15, 65, false);
    buildQuantityField({80, quantityTop, 93, 30}, {178, quantityTop, 140, 30});
    placeDeposit(quantityTop + 40);
    buildSendButton();
}

void PXJYZhaiPaiViewZYMS::moreButtonAction() {
    if (m_delegate) {
        m_delegate->PXAddGuaPaiListView();
    }
}

void PXJYZhaiPaiViewZYMS::setSelectedGuaPaiDanHao(const std::string& number) {
    m_selectedGuaPaiDanHao = number;
    m_guaPaiListView->setSelectedListing(number);
}

void PXJYZhaiPaiViewZYMS::cleanView() {
    PXJianCangFormView::cleanView();
    forgetListing();
}

void PXJYZhaiPaiViewZYMS::forgetListing() {
    setSelectedGuaPaiDanHao("");
    m_jiaGeZ->setText("");
    fanWei()->setText("");
    dingJin()->setText(emptyDepositText());
}

double PXJYZhaiPaiViewZYMS::depositPrice() const {
    return Text::doubleValue(m_jiaGeZ->text());
}

void PXJYZhaiPaiViewZYMS::tellCommodity(const std::string& code) {
    if (m_delegate) {
        m_delegate->PXZhaiPaiChangeCommodity(code);
    }
}

void PXJYZhaiPaiViewZYMS::sideChanged() {
    cleanView();
    if (m_delegate) {
        m_delegate->PXZhaiPaiChangeMaiMaiFangXiang(XiaDan_FangXiang());
    }
}

void PXJYZhaiPaiViewZYMS::sendOrder() {
    if (auto refusal = PXJianCangRules::checkDelisting(isCuoHeCommodity(), m_jiaGeZ->text(),
                                                       shuLiang()->text(), fanWei()->text())) {
        refuse(*refusal);
        return;
    }
    const JYDict request = orderBookRequest(m_jiaGeZ->text(), false);
    confirmOrder(m_jiaGeZ->text(), [this, request] {
        if (m_delegate) {
            m_delegate->PXZhaiPaiJianCangClick(request);
        }
    });
    endAllEditing();
}
