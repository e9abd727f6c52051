#pragma once
// One HTTP POST to the trading server, an account service or the captcha service: builds the
// body (trading JSON, filled XML template or the captcha frame), sends it through the module's
// HTTP client with a 20 s time-out, logs request and reply (secrets masked) and tells its
// delegate once. Made per request (create()) by PXTradeNetworkManger and kept alive by its
// running request, which also keeps the delegate alive. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/HttpClient.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;
class PXTradeNetwork;

class PXTradeNetworkDelegate {
public:
    virtual ~PXTradeNetworkDelegate() = default;
    virtual void requestFinished(PXTradeNetwork*) {}
    virtual void requestFailed(PXTradeNetwork*) {}
};

class PXTradeNetwork : public std::enable_shared_from_this<PXTradeNetwork> {
public:
    static std::shared_ptr<PXTradeNetwork> create(PXTradeModule& module);

    // JSON body: the dictionary written as indented JSON.
    void PXPostDict(const JYDict& dict, const std::string& address, const std::string& signString);
    // XML body: the template with every "$(key)" replaced by the dictionary's value.
    void PostDict(const JYDict& dict, const std::string& address, const std::string& xmlString,
                  const std::string& signString);
    // Binary body sent unchanged (the captcha frame).
    void getJiaoYiCode(const std::string& url, const std::string& type, const std::string& body);

    // The body of the indented JSON request for a dictionary, as PXPostDict sends it.
    static std::string jsonBody(const JYDict& dict);
    // The 7-byte captcha request frame.
    static std::string captchaFrame();

    const std::shared_ptr<PXTradeNetworkDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::shared_ptr<PXTradeNetworkDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    const std::string& data() const { return m_data; }
    const std::string& typeOfData() const { return m_typeOfData; }
    int errorCode() const { return m_errorCode; }
    // Drops the request if it still waits on the device for a connection: it never leaves and
    // nothing is heard of it (true). One that has left goes on.
    bool withdrawIfWaiting();

private:
    explicit PXTradeNetwork(PXTradeModule& module);
    void send(const std::string& address, const std::string& body, const char* contentType,
              bool logRequest);
    void appendingDateToData(const std::string& body, bool isReply);

    PXTradeModule& m_module;
    std::shared_ptr<PXTradeNetworkDelegate> m_delegate;
    std::string m_data;
    std::string m_typeOfData;
    int m_errorCode = 0;
    std::optional<HttpClient::RequestId> m_request;
};
