#pragma once

// The quote request facade. A requester makes a new manager for every request (create()), sets
// itself as delegate and asks once; it need not keep the manager, which keeps itself and its
// delegate alive until the request ends. The request starts on a later turn of the main run
// loop, reading the package only then, and ends with exactly one delegate call on the main
// thread (a session renewal ends with requestSessionAgainFinished). It runs the session chains,
// fails over between the server's lines, checks and parses the reply, stores incremental
// K-lines in the K-line cache, counts the market list's replies and keeps the exchange's zone
// (from server-time and time-sharing replies) on the shared quote state
// (VKJYHangQingDataClass::current()). Main thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/Bytes.h"
#include "quote/HQNetworkMangerDelegate.h"
#include "quote/SubmissionPackage.h"

class HQNetwork;
class VKJYHangQingDataClass;

class HQNetworkManger : public std::enable_shared_from_this<HQNetworkManger> {
public:
    static constexpr double kQuoteTimeoutSeconds = 10.0;
    // Server protocol and login keep the platform's default time-out.
    static constexpr double kSessionTimeoutSeconds = 60.0;

    static std::shared_ptr<HQNetworkManger> create();
    ~HQNetworkManger();

    void setDelegate(std::shared_ptr<HQNetworkMangerDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    // The type of the request as reported: "shiChangXinXi" becomes "jyspaninfo" once the
    // market list is asked, a failed server-time step of "fenshi" reports "severTime".
    const std::string& typeNW() const { return m_typeNW; }
    std::shared_ptr<SubmissionPackage> submissionPackageNM() const { return m_package; }
    // Where a malformed reply stopped parsing ("类%s:%d行"), empty otherwise.
    const std::string& errorMessage() const { return m_errorMessage; }

    // Types "shiChangXinXi", "requestSessionAgain", "shiChangXinXix", "panJYTime",
    // "allyikoujia", "oneyikoujia" to the quote server `index`.
    void needDataFromNetWork(std::shared_ptr<SubmissionPackage> package, const std::string& type,
                             int index);
    // Types "zipsec", "KlinePeriod", "fenshi", "manydayfenshi", "Kline", "manydaykxian" to the
    // server named by the package's panleix (server 0 without a package).
    void needDatasFromNetWork(std::shared_ptr<SubmissionPackage> package, const std::string& type);
    // "Registration": a login with user name and password to quote server 0; its session
    // becomes that server's session.
    void loginRequest(std::shared_ptr<LoginPackage> package, const std::string& type,
                      bool hasPassword);

private:
    // ExchangeZone: the server time asked right after a session login, for the exchange's zone
    // only, so that no chart dates a bar before the zone is known.
    enum class Step { SeverProtocol, Login, ExchangeZone, MarketList, ServerTime, Data };

    HQNetworkManger();
    void queue(std::shared_ptr<SubmissionPackage> package, const std::string& type, int index);
    void start();
    uint16_t protocolFor(Step step) const;
    void send(Step step);
    void received(int error, const Bytes& reply);
    void stepSucceeded(const Bytes& body);
    void deliverData(const Bytes& body);
    void learnExchangeZone(int utcOffsetMinutes);
    void reportServerTimeFailure();
    void finishWithData(const HQReplyData& data);
    void finishWithAnalysisFailure(int code);
    void finishWithRequestFailure(int error);
    void finishSessionRenewal();
    void end();

    std::shared_ptr<HQNetworkMangerDelegate> m_delegate;
    std::shared_ptr<VKJYHangQingDataClass> m_dataClass;
    std::shared_ptr<SubmissionPackage> m_package;
    std::shared_ptr<LoginPackage> m_loginPackage;
    bool m_hasPassword = false;
    std::string m_type;
    std::string m_typeNW;
    int m_serverIndex = 0;
    Step m_step = Step::Data;
    int m_utcOffsetMinutes = 0;
    std::string m_errorMessage;
    std::unique_ptr<HQNetwork> m_network;
    std::shared_ptr<HQNetworkManger> m_self;
    bool m_ended = false;
};
