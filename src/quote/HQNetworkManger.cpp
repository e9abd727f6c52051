#include "quote/HQNetworkManger.h"

#include "platform/foundation/MainQueue.h"
#include "quote/HQDataAnalysis.h"
#include "quote/HQDataCache.h"
#include "quote/HQNetwork.h"
#include "quote/HQNetworkPostBodyCreate.h"
#include "quote/HQProtocol.h"
#include "quote/VKJYHangQingDataClass.h"

namespace {
const char* const kMarketListType = "jyspaninfo";
const char* const kServerTimeType = "severTime";

uint16_t protocolOf(const std::string& type) {
    return HQNetworkPostBodyCreate::protocolForType(type).value_or(0);
}
}  // namespace

HQNetworkManger::HQNetworkManger() = default;

HQNetworkManger::~HQNetworkManger() = default;

std::shared_ptr<HQNetworkManger> HQNetworkManger::create() {
    return std::shared_ptr<HQNetworkManger>(new HQNetworkManger());
}

void HQNetworkManger::needDataFromNetWork(std::shared_ptr<SubmissionPackage> package,
                                          const std::string& type, int index) {
    queue(std::move(package), type, index);
}

void HQNetworkManger::needDatasFromNetWork(std::shared_ptr<SubmissionPackage> package,
                                           const std::string& type) {
    const int index = package ? package->panleix : 0;
    queue(std::move(package), type, index);
}

void HQNetworkManger::loginRequest(std::shared_ptr<LoginPackage> package, const std::string& type,
                                   bool hasPassword) {
    m_loginPackage = std::move(package);
    m_hasPassword = hasPassword;
    queue(nullptr, type, 0);
}

void HQNetworkManger::queue(std::shared_ptr<SubmissionPackage> package, const std::string& type,
                            int index) {
    m_package = std::move(package);
    m_type = type;
    m_typeNW = type;
    m_serverIndex = index;
    m_self = shared_from_this();
    MainQueue::post([self = m_self] { self->start(); });
}

void HQNetworkManger::start() {
    m_dataClass = VKJYHangQingDataClass::current();
    if (m_type == "shiChangXinXi" || m_type == "requestSessionAgain") {
        send(Step::SeverProtocol);
    } else if (m_type == "Registration") {
        send(Step::Login);
    } else if (m_type == "fenshi") {
        send(Step::ServerTime);
    } else if (protocolOf(m_type) != 0) {
        send(Step::Data);
    } else {
        finishWithAnalysisFailure(0);
    }
}

uint16_t HQNetworkManger::protocolFor(Step step) const {
    switch (step) {
        case Step::SeverProtocol:
            return HQProtocol::kServerProtocol;
        case Step::Login:
            return HQProtocol::kLogin;
        case Step::MarketList:
            return HQProtocol::kMarketList;
        case Step::ExchangeZone:
        case Step::ServerTime:
            return HQProtocol::kServerTime;
        case Step::Data:
            break;
    }
    return protocolOf(m_type);
}

void HQNetworkManger::send(Step step) {
    m_step = step;
    Bytes body;
    double timeout = kQuoteTimeoutSeconds;
    if (step == Step::SeverProtocol || step == Step::Login) {
        timeout = kSessionTimeoutSeconds;
    }
    if (step == Step::Login) {
        body = HQNetworkPostBodyCreate::loginBody(m_loginPackage.get(), m_hasPassword);
    } else if (step == Step::MarketList) {
        m_typeNW = kMarketListType;
    } else if (step == Step::Data) {
        body = HQNetworkPostBodyCreate::dataBody(
            m_type, m_package ? *m_package : SubmissionPackage(), m_utcOffsetMinutes);
    }
    const uint32_t session = m_dataClass ? m_dataClass->sessionForServer(m_serverIndex) : 0;
    m_network = std::make_unique<HQNetwork>(m_dataClass, m_serverIndex);
    m_network->post(HQNetworkPostBodyCreate::request(protocolFor(step), session, body), timeout,
                    [this](int error, const Bytes& reply) { received(error, reply); });
}

void HQNetworkManger::received(int error, const Bytes& reply) {
    if (error != 0) {
        finishWithRequestFailure(error);
        return;
    }
    HQDataAnalysis analysis;
    const auto head = analysis.analysisHead(reply);
    if (head && head->code != 0) {
        finishWithAnalysisFailure(head->code);
        return;
    }
    const auto body = head ? analysis.analysisBody(protocolFor(m_step), reply) : std::nullopt;
    if (!body) {
        m_errorMessage = analysis.errorMessage();
        finishWithAnalysisFailure(0);
        return;
    }
    stepSucceeded(*body);
}

void HQNetworkManger::stepSucceeded(const Bytes& body) {
    HQDataAnalysis analysis;
    switch (m_step) {
        case Step::SeverProtocol: {
            const auto protocol = analysis.analysisSeverProtocol(body);
            if (!protocol) {
                break;
            }
            if (m_dataClass) {
                m_dataClass->setSeverProtocol(*protocol);
            }
            return send(Step::Login);
        }
        case Step::Login: {
            const auto session = analysis.analysisLogin(body);
            if (!session) {
                break;
            }
            if (m_dataClass) {
                m_dataClass->setSessionForServer(m_serverIndex, *session);
            }
            if (m_type == "shiChangXinXi" || m_type == "requestSessionAgain") {
                return send(Step::ExchangeZone);
            }
            return finishWithData(HQReplyData());
        }
        case Step::ExchangeZone: {
            const auto time = analysis.analysisServerTime(body);
            if (!time) {
                break;
            }
            learnExchangeZone(time->utcOffsetMinutes);
            if (m_type == "shiChangXinXi") {
                return send(Step::MarketList);
            }
            return finishSessionRenewal();
        }
        case Step::ServerTime: {
            const auto time = analysis.analysisServerTime(body);
            if (!time) {
                break;
            }
            m_utcOffsetMinutes = time->utcOffsetMinutes;
            learnExchangeZone(time->utcOffsetMinutes);
            return send(Step::Data);
        }
        case Step::MarketList:
        case Step::Data:
            return deliverData(body);
    }
    m_errorMessage = analysis.errorMessage();
    finishWithAnalysisFailure(0);
}

void HQNetworkManger::deliverData(const Bytes& body) {
    HQDataAnalysis analysis;
    auto data = analysis.analysisData(m_typeNW, body, m_serverIndex);
    if (!data) {
        m_errorMessage = analysis.errorMessage();
        finishWithAnalysisFailure(0);
        return;
    }
    using Series = std::vector<std::shared_ptr<ReturnKLineData>>;
    const bool merges = m_typeNW == "Kline" && m_package &&
                        (m_package->klineRequestType == HQDataCache::kRequestNew ||
                         m_package->klineRequestType == HQDataCache::kRequestAll);
    if (merges) {
        // The fetched bars get their indicators; a cache that cannot be written still lets
        // the chart draw them.
        HQDataCache cache;
        cache.insertKLineData(std::get<Series>(*data), *m_package);
    }
    using FenShiItems = std::vector<std::shared_ptr<CommodityFenShiDataItem>>;
    if (const auto* items = std::get_if<FenShiItems>(&*data); items && !items->empty()) {
        learnExchangeZone(items->front()->utcOffsetMinutes);
    }
    finishWithData(*data);
}

// Before the reply reaches its requester, so the chart reads exchange times in their zone.
void HQNetworkManger::learnExchangeZone(int utcOffsetMinutes) {
    if (m_dataClass) {
        m_dataClass->setExchangeUtcOffsetMinutes(utcOffsetMinutes);
    }
}

void HQNetworkManger::reportServerTimeFailure() {
    if (m_step != Step::ServerTime) {
        return;
    }
    auto serverTimePackage = std::make_shared<SubmissionPackage>();
    serverTimePackage->panleix = m_serverIndex;
    serverTimePackage->FenShiOrKLinePackageWhenRequestSeverTime = m_package;
    m_package = serverTimePackage;
    m_typeNW = kServerTimeType;
}

void HQNetworkManger::finishWithData(const HQReplyData& data) {
    if (m_ended) {
        return;
    }
    if (m_delegate) {
        m_delegate->dataAnalysisFinished(this, data);
    }
    if (m_dataClass) {
        m_dataClass->countReply(m_typeNW);
    }
    end();
}

void HQNetworkManger::finishWithAnalysisFailure(int code) {
    if (m_ended) {
        return;
    }
    reportServerTimeFailure();
    if (m_delegate) {
        m_delegate->dataAnalysisFailed(this, code);
    }
    if (m_dataClass) {
        m_dataClass->countReply(m_typeNW);
    }
    end();
}

void HQNetworkManger::finishWithRequestFailure(int error) {
    if (m_ended) {
        return;
    }
    reportServerTimeFailure();
    if (m_delegate) {
        m_delegate->requestFailed(this, error);
    }
    end();
}

void HQNetworkManger::finishSessionRenewal() {
    if (m_ended) {
        return;
    }
    if (m_delegate) {
        m_delegate->requestSessionAgainFinished();
    }
    end();
}

void HQNetworkManger::end() {
    m_ended = true;
    m_delegate.reset();
    // The network may be the caller; it and this manager go once the call stack unwinds.
    MainQueue::post(
        [network = std::shared_ptr<HQNetwork>(std::move(m_network)), self = std::move(m_self)] {});
}
