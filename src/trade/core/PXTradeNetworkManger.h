#pragma once
// The trading request facade every trading screen, the timers and the login chain use: one
// request operation per server request, the reply dispatched by its type tag (typeNW) to a new
// PXTradeDataAnalysis, login and account replies stored in PXTradeData, the login chain run to
// its end, session loss turned into a cleared store and a re-login dialog, and quote-mode
// orders checked and confirmed before they go out.
//
// Made with create() (one per request, or one per screen reused one request at a time); a
// running request keeps the manager and its delegate alive. Main thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/LinkTarget.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeDataAnalysis.h"
#include "trade/core/PXTradeNetwork.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;
class PXTradeNetworkManger;
struct TradeRequestField;

class PXTradeNetworkMangerDelegate : public virtual LinkTarget {
public:
    virtual ~PXTradeNetworkMangerDelegate() = default;
    // A checked (and, where asked, confirmed) order is going out; its reply follows. Screens put
    // up their busy overlay here, since a refused or cancelled order sends nothing.
    virtual void orderSent(PXTradeNetworkManger*) {}
    // The transfer failed; errorCode is the platform's URL error code.
    virtual void requestFailed(PXTradeNetworkManger*, int /*errorCode*/) {}
    // The reply was accepted; data is null where the request hands back nothing.
    virtual void dataAnalysisFinished(PXTradeNetworkManger*, const PXTradeResult* /*data*/) {}
    // Refused or unreadable; the text to show is the manager's JY_ErrorMessage().
    virtual void dataAnalysisFailed(PXTradeNetworkManger*, int /*errorCode*/) {}
};

class PXTradeNetworkManger : public PXTradeNetworkDelegate,
                             public PXTradeDataAnalysisDelegate,
                             public std::enable_shared_from_this<PXTradeNetworkManger> {
public:
    // A manager of the registered module, or of the given one.
    static std::shared_ptr<PXTradeNetworkManger> create();
    static std::shared_ptr<PXTradeNetworkManger> create(PXTradeModule& module);

    // Requests whose keys the facade fills itself.
    void getCommodityInfo(const std::string& commodityId);
    void getOtherFirmQueryInfo();
    void getAccountInformation();
    void getCancellation();
    void getJYChiCangMingXi(const std::string& commodityId);
    void getJYChiCangHuiZong(const std::string& commodityId);
    void CPYloginJiaoYiActionType(const std::string& account, const std::string& captcha,
                                  const std::string& validString, const std::string& password);
    // The heartbeat: the first-login values while PXTradePeiZhi says just logged in, else those
    // of the timers' last report.
    void getChengJiaoHuiBaoXinXiQH();
    void CPYgetJiaoYiCodeType();

    // Requests built from the caller's dictionary of lower-case keys.
    void SJJianCangNetwork(const JYDict& order);
    void SJPingCangNetwork(const JYDict& order);
    void ZJJianCangNetwork(const JYDict& order);
    void ZJPingCangNetwork(const JYDict& order);
    void weiTuoDanChaXun(const JYDict& query);
    void chengJiaoChaXun(const JYDict& query);
    void cheXiaoZhiSunZhiYingJia(const JYDict& query);
    void cancelWeiTuoDan(const JYDict& query);
    void cancelGuaPaiShangPinDingDan(const JYDict& query);
    // type 0 to 4; any other type has no address: nothing is sent and requestFailed comes
    // with the unsupported-URL code on a later turn of the run loop.
    void baoBiaoChaXun(const JYDict& query, int type);
    void getMarketfundsinfo(const JYDict& query);
    void getbankInfo(const JYDict& query);
    void setMoneyTransfer(const JYDict& query);
    void getCheckGoldRecode(const JYDict& query);
    void getcheckAccountBalance(const JYDict& query);
    void modifyBankingPasswords(const JYDict& query);
    void getAnnouncementList(const JYDict& query);
    void getAnnouncementDetail(const JYDict& query);

    // Requests whose REQ (or, for the password change, whole body) the caller built.
    void getGuaPaiList(const JYDict& req);
    void sendZhaiPaiJianCangRequest(const JYDict& req);
    void sendGuaPaiJianCangRequest(const JYDict& req);
    void changeTradeAccountPassWord(const JYDict& body);

    // Account services (XML templates from the resources).
    void sendPhoneNumberVerification(const JYDict& values);
    void sendResetPassword(const JYDict& values);
    void openAccount(const JYDict& values);
    // The account registered with the phone that token B verified; "tokenB" and "url".
    void retrieveAccount(const JYDict& values);
    void getOpenAccountService(const JYDict& values);
    void getHuiYuanQuanXian(const JYDict& values);
    void sendCaptchaToPhone(const JYDict& values);
    void shouJiYanZheng(const JYDict& values);

    // Quote-mode orders with the rights check and the confirmation.
    void SJJianCang(const JYDict& order, bool fastTrade);
    void ZJJianCang(const JYDict& order);
    void ZJPingCang(const JYDict& order);
    void SJPingCang(const JYDict& order, bool fastTrade);
    void xiaDanQianPanDuan(const JYDict& order, int shiJiaZhiJia, int JianCangPingCang,
                           const std::string& requestType, bool fastTrade);
    void xiaDanQueRen(const JYDict& order, int shiJiaZhiJia, int JianCangPingCang);
    void XiaDan();
    // The confirmation message of an order.
    static std::string confirmationText(const JYDict& order, int shiJiaZhiJia,
                                        int JianCangPingCang);

    // Buttons of this manager's dialog (first and second).
    void doneButtonClick();
    void cancelButtonClick();

    void fenPeiDengLuShuJu(const JYDict& login);
    void shenFenShiXiao(const std::string& message);

    // Sends to that server rather than the live session's: a login screen's own choice. A logon
    // accepted there makes it the live session's server; should a later query of its login chain
    // fail, the server and the account logged in before come back.
    void setTarget(PXTradeTarget target) { m_target = std::move(target); }

    const std::string& typeNW() const { return m_typeNW; }
    const std::string& JY_ErrorMessage() const { return m_errorMessage; }
    const std::shared_ptr<PXTradeNetworkMangerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<PXTradeNetworkMangerDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    bool dengLuCaoZuo() const { return m_dengLuCaoZuo; }
    const JYDict& postDic() const { return m_postDic; }
    const std::string& requestType() const { return m_requestType; }
    // Tag of the dialog shown last (5554 session loss, 5556 order confirmation, 0 none).
    int alertViewTag() const { return m_alertTag; }
    // Whether the session-lost dialog tells the latest reply's failure: the reply put it up, or
    // it says the session is lost and the dialog on show already tells that session's loss. A
    // reply it does not tell (a session a newer logon replaced, a log-out) is left to the caller.
    bool reLoginShown() const { return m_reLoginShown; }
    // The caller leaves the telling of its failure to the session-lost dialog: the dialog then
    // stays when a newer logon comes, as that failure is told nowhere else.
    void leaveTellingToReLogin();
    // Whether the session the last request or waiting order was made under has ended since (a
    // log-out, a lost session, a newer logon): its reply changes nothing and nothing of it is
    // sent. Requests made outside a session (logon, captcha, account services) never end so.
    bool ofEndedSession() const;
    // The session ended: the request last sent, if it was of that session and still waits on the
    // device, never leaves; the asker hears the session is lost, as for a request asked after the
    // end. The session's logoff still goes.
    void sessionEnded();

    // PXTradeNetworkDelegate
    void requestFinished(PXTradeNetwork* network) override;
    void requestFailed(PXTradeNetwork* network) override;
    // PXTradeDataAnalysisDelegate
    void dataAnalysisFinished(PXTradeDataAnalysis* parser) override;
    void dataAnalysisFailed(const std::string& errorText, PXTradeDataAnalysis* parser) override;

private:
    explicit PXTradeNetworkManger(PXTradeModule& module);

    void numberQuery(const std::string& kind);
    void sendFields(const char* name, const char* tag, const char* urlType,
                    const std::vector<TradeRequestField>& fields, const JYDict& caller);
    void sendReq(const char* name, const char* tag, const char* urlType, JYDict req);
    void post(const JYDict& body, const std::string& address);
    bool mayLeave(const std::string& session) const;
    bool endsSessionInForce() const;
    void settleEnding(bool acted);
    void refuseLocally(int code, const char* message);
    void sendTemplate(const char* tag, const char* templateName, const std::string& address,
                      const JYDict& values);
    std::string address(const char* urlType, const std::string& name) const;
    std::string userId() const;
    std::string sessionId() const;
    void showAlert(const std::string& message, int tag, bool withButtons);
    bool lossToldOfItsSession() const;
    void dispatch(const std::string& body);
    void accept(const std::optional<PXTradeResult>& result);
    void endedSessionReply(const std::optional<PXTradeResult>& result);
    void tellFinished(const PXTradeResult* data);
    std::string urlString(const char* urlType) const;
    // justLoggedIn: the first-login values instead of those of the timers' last report.
    void sendHeartbeat(bool justLoggedIn);
    // After the login chain's heartbeat failed: sends the chain's next step, if it runs.
    bool goOnPastLoginBeat();
    void takeOverSession();
    void putBackReplacedLogin();

    PXTradeModule& m_module;
    JYDict m_postDic = JYDict::object();
    std::string m_requestType;
    bool m_dengLuCaoZuo = false;
    int m_alertTag = 0;
    bool m_reLoginShown = false;
    std::string m_md5KeyForLogin;
    std::string m_logonAccount;
    // The epoch of the session the request on its way may end (a logoff, a logon of the account
    // in force), until its fate is known.
    std::optional<uint64_t> m_endingEpoch;
    // The session epoch the last request or waiting order belongs to; none for the requests
    // made outside a session.
    std::optional<uint64_t> m_sessionEpoch;
    std::weak_ptr<PXTradeNetwork> m_network;
    std::string m_typeNW;
    // The commodity of a ticket query, empty for all of them.
    std::string m_ticketCommodity;
    // The holdings or account query's kind and number, as the store gave them.
    std::string m_queryKind;
    uint64_t m_queryNumber = 0;
    std::shared_ptr<PXTradeNetworkMangerDelegate> m_delegate;
    std::string m_errorMessage;
    std::optional<PXTradeTarget> m_target;
    // What this manager's accepted logon replaced, until its login chain has run to its end:
    // the server, the account where one was logged in and not on its way out, and whether its
    // heartbeat timer ran.
    struct ReplacedLogin {
        PXTradeTarget target;
        std::optional<PXTradeData::Snapshot> account;
        bool beating;
    };
    std::optional<ReplacedLogin> m_replaced;
    // The login chain's own heartbeat answer, handed to the timers once the login is whole;
    // none while unanswered.
    std::optional<JYDict> m_loginBeat;
};
