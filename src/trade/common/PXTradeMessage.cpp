#include "trade/common/PXTradeMessage.h"

#include "widgets/GlossAlertView.h"

void PXTradeMessage::show(const std::string& title, const std::string& message) {
    auto alert = std::make_unique<GlossAlertView>(title, message, nullptr, "确定");
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}
