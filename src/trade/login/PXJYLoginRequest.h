#pragma once

// One login attempt of the login screens: the member-rights check where the environment asks
// for it, then the logon, whose request layer runs the whole login chain. The account is kept
// as the user default "JYUserName" before the logon (requests name it) and put back to the
// previous one when the attempt fails. The busy overlay shows
// while a request is out. While an attempt runs, a second one is refused, and every end (success,
// refusal, failure) clears that state, so a failed attempt never blocks the next. Answers go to
// the delegate only while its owner (the screen) exists. Made with create(); main thread.

#include <memory>
#include <string>

#include "platform/ui/Responder.h"
#include "platform/ui/WeakRef.h"
#include "trade/core/PXTradeNetworkManger.h"

class PXJYLoginRequestDelegate {
public:
    virtual ~PXJYLoginRequestDelegate() = default;
    // The chain reached "PXAccountInformation": logged in.
    virtual void loginRequestSucceeded() {}
    // The member-rights list lacks the account's member code; no logon was sent.
    virtual void loginRequestRefused() {}
    // A request failed: inChain for the logon and its chained queries, answered when the server
    // refused (message is its text) rather than no answer coming.
    virtual void loginRequestFailed(bool /*inChain*/, bool /*answered*/,
                                    const std::string& /*message*/) {}
};

class PXJYLoginRequest : public PXTradeNetworkMangerDelegate,
                         public std::enable_shared_from_this<PXJYLoginRequest> {
public:
    static std::shared_ptr<PXJYLoginRequest> create(Responder* owner,
                                                    PXJYLoginRequestDelegate* delegate);

    // Starts an attempt with the account as typed (grouped); false while one is running.
    bool start(const std::string& accountText, const std::string& password,
               const std::string& captcha, const std::string& validString);
    bool isRunning() const { return m_running; }

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    PXJYLoginRequest(Responder* owner, PXJYLoginRequestDelegate* delegate)
        : m_owner(owner), m_delegate(delegate) {}

    void huoQuHuiYuanQuanXian();
    void loginJiaoYi();
    std::shared_ptr<PXTradeNetworkManger> newManager();
    PXJYLoginRequestDelegate* delegate() const { return m_owner ? m_delegate : nullptr; }
    void fail(PXTradeNetworkManger* manager, bool answered);

    WeakRef<Responder> m_owner;
    PXJYLoginRequestDelegate* m_delegate;
    bool m_running = false;
    bool m_logonSent = false;
    std::string m_previousUserName;
    std::string m_accountText;
    std::string m_password;
    std::string m_captcha;
    std::string m_validString;
};
