#pragma once

// Resetting the trading password of an account by SMS code: the code goes to the phone
// registered with the account; "下一步" checks only that six digits are typed and asks for the
// new password (twice); the reset carries the code and the new password, and the service
// judges both. A child of the login screen. Main thread.

#include <string>

#include "trade/login/PXJYSmsCodeVC.h"

class PXJYRetrievePasswordVC : public PXJYSmsCodeVC {
public:
    static constexpr int kAccountTag = 1140;
    static constexpr int kCodeTag = 1141;

    PXJYRetrievePasswordVC();

    const std::string& resetPasswordUrl() const { return m_resetPasswordUrl; }
    void setResetPasswordUrl(const std::string& url) { m_resetPasswordUrl = url; }
    // The platform and environment the login screen shows, which the account belongs to.
    void setTarget(PXTradeTarget target) { m_target = std::move(target); }
    TextField* accountTF() const { return m_accountTF; }
    TextField* CaptchaTF() const { return m_captchaTF; }
    View* resetView() const { return m_resetView; }
    TextField* newPasswordTF() const { return m_newPasswordTF; }
    TextField* againTF() const { return m_againTF; }
    const std::string& session() const { return m_session; }

    void getCaptchaCode();
    void nextAction();
    void resetPasswordAction();
    void resetViewBackButtonClick();

    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

protected:
    void buildForm(View& root) override;
    std::vector<TextField*> fields() const override;
    bool acceptsKey(const TextField& field) const override;

private:
    void buildResetView();
    TextField* addPasswordRow(View& parent, double y, const std::string& caption);

    std::string m_resetPasswordUrl;
    PXTradeTarget m_target;
    TextField* m_accountTF = nullptr;
    TextField* m_captchaTF = nullptr;
    View* m_resetView = nullptr;
    TextField* m_newPasswordTF = nullptr;
    TextField* m_againTF = nullptr;
    std::string m_session;
};
