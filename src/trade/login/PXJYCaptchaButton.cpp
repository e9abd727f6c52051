#include "trade/login/PXJYCaptchaButton.h"

#include "platform/graphics/Image.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/Button.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeReplyRelay.h"

PXJYCaptchaButton::PXJYCaptchaButton(const Rect& frame) : View(frame) {
    m_button = addSubview(std::make_unique<Button>(Rect{0, 0, frame.width, frame.height}));
    m_button->setBackgroundImage(Image::named(kFailedImage));
    m_button->addTarget(TouchUpInside, [this](Control&) { getJiaoYiCode(); });
    auto indicator = std::make_unique<ActivityIndicator>(ActivityIndicator::Style::White);
    indicator->sizeToFit();
    indicator->setCenter({frame.width / 2, frame.height / 2});
    m_activeView = addSubview(std::move(indicator));
}

void PXJYCaptchaButton::getJiaoYiCode() {
    m_button->setEnabled(false);
    m_button->setBackgroundImage(Image(), StateDisabled);
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(PXTradeReplyRelay::create(*this, *this));
    if (m_target) {
        manager->setTarget(*m_target);
    }
    m_pending = manager.get();
    manager->CPYgetJiaoYiCodeType();
    m_activeView->startAnimating();
}

void PXJYCaptchaButton::reset() {
    m_pending = nullptr;
    m_validString.clear();
    m_activeView->stopAnimating();
    m_button->setEnabled(true);
    m_button->setBackgroundImage(Image::named(kFailedImage));
}

bool PXJYCaptchaButton::isCurrent(const PXTradeNetworkManger* manager) const {
    return manager && manager == m_pending;
}

void PXJYCaptchaButton::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                             const PXTradeResult* data) {
    if (!isCurrent(manager)) {
        return;
    }
    m_pending = nullptr;
    m_activeView->stopAnimating();
    m_button->setEnabled(true);
    const auto* captcha = data && data->size() == 2 ? std::get_if<JYDict>(&(*data)[0]) : nullptr;
    const auto* identifier =
        data && data->size() == 2 ? std::get_if<std::string>(&(*data)[1]) : nullptr;
    const auto image = captcha ? captcha->find("image") : JYDict::const_iterator();
    if (!identifier || image == captcha->end() || !image->is_binary()) {
        showFailed("获取验证码失败");
        return;
    }
    m_validString = *identifier;
    const auto& bytes = image->get_binary();
    m_button->setBackgroundImage(Image::fromData(bytes.data(), bytes.size()));
}

void PXJYCaptchaButton::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (isCurrent(manager)) {
        showFailed("获取验证码失败");
    }
}

void PXJYCaptchaButton::requestFailed(PXTradeNetworkManger* manager, int) {
    if (isCurrent(manager)) {
        showFailed(PXTradeMessage::kNetworkFailed);
    }
}

void PXJYCaptchaButton::showFailed(const std::string& message) {
    reset();
    PXTradeMessage::show(message);
}
