#include "trade/core/PXTradeNetwork.h"

#include <cstdio>

#include "base/XMLTemplate.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Json.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeLogMask.h"
#include "trade/core/TradeText.h"

namespace {

const double kTradeTimeoutSeconds = 20.0;
const char* const kFormContentType = "application/x-www-form-urlencoded";
const char* const kBinaryContentType = "binary";

std::map<std::string, std::string> templateValues(const JYDict& dict) {
    std::map<std::string, std::string> values;
    if (dict.is_object()) {
        for (auto it = dict.begin(); it != dict.end(); ++it) {
            values[it.key()] = TradeText::textOf(it.value());
        }
    }
    return values;
}

}  // namespace

PXTradeNetwork::PXTradeNetwork(PXTradeModule& module) : m_module(module) {}

std::shared_ptr<PXTradeNetwork> PXTradeNetwork::create(PXTradeModule& module) {
    return std::shared_ptr<PXTradeNetwork>(new PXTradeNetwork(module));
}

std::string PXTradeNetwork::jsonBody(const JYDict& dict) {
    // A value that cannot be written leaves the body empty; the server then refuses it.
    return Json::write(dict, true).value_or(std::string());
}

std::string PXTradeNetwork::captchaFrame() {
    // Kind 4, then the version text "1.0" with its 16-bit length, little-endian.
    return std::string("\x04\x00\x03\x00", 4) + "1.0";
}

void PXTradeNetwork::PXPostDict(const JYDict& dict, const std::string& address,
                                const std::string& signString) {
    m_typeOfData = signString;
    send(TradeText::escapedUrl(address), jsonBody(dict), kFormContentType, true);
}

void PXTradeNetwork::PostDict(const JYDict& dict, const std::string& address,
                              const std::string& xmlString, const std::string& signString) {
    m_typeOfData = signString;
    // A key missing from the dictionary leaves its placeholder empty.
    const XMLTemplateFill filled = XMLTemplate::fill(xmlString, templateValues(dict));
    send(TradeText::escapedUrl(address), filled.text, kFormContentType, true);
}

void PXTradeNetwork::getJiaoYiCode(const std::string& url, const std::string& type,
                                   const std::string& body) {
    m_typeOfData = type;
    send(url, body, kBinaryContentType, false);
}

void PXTradeNetwork::send(const std::string& address, const std::string& body,
                          const char* contentType, bool logRequest) {
    m_data.clear();
    if (logRequest) {
        appendingDateToData(body, false);
    }
    HttpRequest request;
    request.method = "POST";
    request.url = address;
    request.body = Bytes(body.begin(), body.end());
    request.timeoutSeconds = kTradeTimeoutSeconds;
    request.headers = {{"Content-Length", std::to_string(body.size())},
                       {"Content-Type", contentType}};
    // The running request keeps this object, and through it the delegate, alive.
    auto self = shared_from_this();
    m_request = m_module.httpClient().send(request, [self](const HttpResponse& response) {
        if (response.failed()) {
            self->m_errorCode = response.error;
            if (self->m_delegate) {
                self->m_delegate->requestFailed(self.get());
            }
            return;
        }
        self->m_data = response.bodyText();
        self->appendingDateToData(self->m_data, true);
        if (self->m_delegate) {
            self->m_delegate->requestFinished(self.get());
        }
    });
}

bool PXTradeNetwork::withdrawIfWaiting() {
    return m_request && m_module.httpClient().cancelIfWaiting(*m_request);
}

void PXTradeNetwork::appendingDateToData(const std::string& body, bool isReply) {
    const std::string label = std::string(isReply ? "--返回--" : "--请求--") + m_typeOfData + "-";
    m_module.host().writeDataToNSLogFile(label + "＋" + maskTradeSecrets(body) + "\n", "JYLog.txt",
                                         "Logs");
}
