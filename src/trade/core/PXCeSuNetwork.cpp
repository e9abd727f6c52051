#include "trade/core/PXCeSuNetwork.h"

#include "platform/foundation/HttpClient.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"

PXCeSuNetwork::PXCeSuNetwork(PXTradeModule& module) : m_module(module) {}

std::shared_ptr<PXCeSuNetwork> PXCeSuNetwork::create(PXTradeModule& module) {
    return std::shared_ptr<PXCeSuNetwork>(new PXCeSuNetwork(module));
}

HttpRequest PXCeSuNetwork::createCeSuRequest(const std::string& url, double timeOut) const {
    const std::string body = m_module.resourceText("getVersion.xml");
    HttpRequest request;
    request.method = "POST";
    request.url = TradeText::escapedUrl(url);
    request.body = Bytes(body.begin(), body.end());
    request.timeoutSeconds = timeOut;
    request.headers = {{"Content-Length", std::to_string(body.size())},
                       {"Content-Type", "application/x-www-form-urlencoded"}};
    return request;
}

void PXCeSuNetwork::sendAsynchronousRequest(const std::string& url, double timeOut) {
    auto self = shared_from_this();
    m_module.httpClient().send(createCeSuRequest(url, timeOut),
                               [self](const HttpResponse& response) {
                                   if (response.failed()) {
                                       self->requestFailed();
                                   } else {
                                       self->requestFinished();
                                   }
                               });
}

void PXCeSuNetwork::requestFinished() {
    if (const auto delegate = m_delegate.lock()) {
        delegate->PXCeSuRequestFinished(this);
    }
}

void PXCeSuNetwork::requestFailed() {
    if (const auto delegate = m_delegate.lock()) {
        delegate->PXCeSuRequestFailed(this);
    }
}
