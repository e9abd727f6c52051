#pragma once

// Opening an account by SMS code in the platform and environment chosen on the login screen:
// the phone number gets a code, the code is verified (giving token B), and with that token the
// environment's account service opens the account, whose account number and passwords are shown
// once. Nothing of it is stored on the device. A child of the login screen. Main thread.

#include <string>

#include "trade/login/PXJYSmsCodeVC.h"

class PXJYRegisterUserVC : public PXJYSmsCodeVC {
public:
    static constexpr int kPhoneTag = 1130;
    static constexpr int kCodeTag = 1131;

    PXJYRegisterUserVC();

    const std::string& openAccountUrl() const { return m_openAccountUrl; }
    void setOpenAccountUrl(const std::string& url) { m_openAccountUrl = url; }
    Label* advertising() const { return m_advertising; }
    TextField* phoneNumberTextField() const { return m_phoneNumberTextField; }
    TextField* captchaTextField() const { return m_captchaTextField; }
    const std::string& ssid() const { return m_ssid; }

    void getJiaoYiCode();
    void openAccountAction();

    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

protected:
    // A screen of the same flow whose last request and answer differ (account retrieval).
    PXJYRegisterUserVC(std::string title, std::string actionTitle, double firstRowY);

    void buildForm(View& root) override;
    std::vector<TextField*> fields() const override;
    // The request sent with the verified token B, its tag, and the answer shown.
    virtual void sendWithToken(PXTradeNetworkManger& manager, const std::string& tokenB);
    virtual std::string finalTag() const { return "PXcreateAccount"; }
    virtual void showAnswer(const JYDict& answer);

private:
    std::string m_actionTitle;
    double m_firstRowY;
    std::string m_openAccountUrl;
    Label* m_advertising = nullptr;
    TextField* m_phoneNumberTextField = nullptr;
    TextField* m_captchaTextField = nullptr;
    std::string m_ssid;
};
