#pragma once

// One login attempt of the login screens: the member-rights check where the environment asks
// for it, then the logon, whose request layer runs the whole login chain. The account becomes
// the user default "JYUserName" once its login chain has run to its end; a failed attempt leaves
// the saved account alone. The attempt goes through its owner's gate: shut by each
// request it sends (the overlay up, the login button disabled), opened only by the reply that
// ends the attempt, so another request's reply never opens it and a failed attempt never blocks
// the next. The gate and the answers are reached only while the owner (the screen, which holds
// the gate) exists; once it is gone a rights answer sends no logon. Made with create(); main
// thread.

#include <memory>
#include <string>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Responder.h"
#include "trade/core/PXTradeNetworkManger.h"

class Control;
class PXTradeOrderGate;

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
    // gate: the owner's, kept shut while an attempt runs.
    static std::shared_ptr<PXJYLoginRequest> create(Responder* owner,
                                                    PXJYLoginRequestDelegate* delegate,
                                                    PXTradeOrderGate& gate);

    // Starts an attempt on the target's server with the account as typed (grouped), disabling
    // trigger until it ends; false while one is running. The live session keeps its server
    // until the logon is accepted.
    bool start(const PXTradeTarget& target, const std::string& accountText,
               const std::string& password, const std::string& captcha,
               const std::string& validString, Control* trigger = nullptr);
    bool isRunning() const;

    void requestFailed(PXTradeNetworkManger* manager, int errorCode) override;
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* data) override;
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int errorCode) override;

private:
    PXJYLoginRequest(Responder* owner, PXJYLoginRequestDelegate* delegate, PXTradeOrderGate& gate)
        : m_owner(owner), m_delegate(delegate), m_gate(&gate) {}

    void huoQuHuiYuanQuanXian();
    void loginJiaoYi();
    std::shared_ptr<PXTradeNetworkManger> newManager();
    PXJYLoginRequestDelegate* delegate() const { return m_owner ? m_delegate : nullptr; }
    PXTradeOrderGate* gate() const { return m_owner ? m_gate : nullptr; }
    // The attempt ended with this reply: true when it was the attempt's own.
    bool endedBy(const PXTradeNetworkManger& reply);
    void fail(PXTradeNetworkManger* manager, bool answered);

    WeakLink<Responder> m_owner;
    PXJYLoginRequestDelegate* m_delegate;
    PXTradeOrderGate* m_gate;
    WeakLink<Control> m_trigger;
    PXTradeTarget m_target;
    std::string m_account;
    std::string m_accountText;
    std::string m_password;
    std::string m_captcha;
    std::string m_validString;
};
