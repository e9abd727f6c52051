#pragma once

// The captcha of the login forms: a button showing the image of the last captcha (tapping it
// asks for a new one), a spinner while one is on its way, and the identifier of the captcha on
// display. Only the answer to the latest request counts. Failures show "failcode.png" and the
// message. Owned by its superview; main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/View.h"
#include "trade/core/PXTradeNetworkManger.h"

class ActivityIndicator;
class Button;

class PXJYCaptchaButton : public View, public PXTradeNetworkMangerDelegate {
public:
    static constexpr const char* kFailedImage = "failcode.png";

    explicit PXJYCaptchaButton(const Rect& frame);

    // The server asked for captchas, where a login screen chose another than the live session's.
    void setTarget(PXTradeTarget target) { m_target = std::move(target); }
    // Sends a new captcha request.
    void getJiaoYiCode();
    // Forgets the captcha on display and any request on its way (no captcha is needed).
    void reset();
    const std::string& validString() const { return m_validString; }
    bool isLoading() const { return m_pending != nullptr; }
    Button* captchaButton() const { return m_button; }
    ActivityIndicator* activeView() const { return m_activeView; }

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    bool isCurrent(const PXTradeNetworkManger* manager) const;
    void showFailed(const std::string& message);

    Button* m_button = nullptr;
    ActivityIndicator* m_activeView = nullptr;
    std::string m_validString;
    const PXTradeNetworkManger* m_pending = nullptr;
    std::optional<PXTradeTarget> m_target;
};
