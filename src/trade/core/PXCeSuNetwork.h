#pragma once
// One line-test probe: posts the resource "getVersion.xml" to one trading line and tells the
// tester whether any HTTP answer came (status and body are not looked at) or the transfer
// failed. Made per line per run by PXJYCeSuVC; kept alive by its running request. Main thread.

#include <memory>
#include <string>

#include "platform/foundation/HttpMessages.h"

class PXCeSuNetwork;
class PXTradeModule;

class PXCeSuNetworkDelegate {
public:
    virtual ~PXCeSuNetworkDelegate() = default;
    virtual void PXCeSuRequestFinished(PXCeSuNetwork*) {}
    virtual void PXCeSuRequestFailed(PXCeSuNetwork*) {}
};

class PXCeSuNetwork : public std::enable_shared_from_this<PXCeSuNetwork> {
public:
    static std::shared_ptr<PXCeSuNetwork> create(PXTradeModule& module);

    void sendAsynchronousRequest(const std::string& url, double timeOut);
    HttpRequest createCeSuRequest(const std::string& url, double timeOut) const;
    void requestFinished();
    void requestFailed();

    const std::string& type() const { return m_type; }
    void setType(std::string value) { m_type = std::move(value); }
    // The tester's run this probe belongs to; answers of an earlier run are ignored.
    int run() const { return m_run; }
    void setRun(int value) { m_run = value; }
    // The tester; it outlives its probes' answers only if its owner keeps it (see PXJYCeSuVC).
    const std::weak_ptr<PXCeSuNetworkDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<PXCeSuNetworkDelegate> delegate) {
        m_delegate = std::move(delegate);
    }

private:
    explicit PXCeSuNetwork(PXTradeModule& module);

    PXTradeModule& m_module;
    std::string m_type;
    int m_run = 0;
    std::weak_ptr<PXCeSuNetworkDelegate> m_delegate;
};
