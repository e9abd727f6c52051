#include "analytics/TLANWorker.h"

#include "analytics/TLANUtil.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatApp.h"
#include "analytics/TallyStatHosts.h"
#include "analytics/TallyStatInternal.h"
#include "analytics/TallyStatJob.h"
#include "analytics/TallyStatThrift.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"

namespace {

constexpr int kHttpOk = 200;

int64_t nowMs() {
    return static_cast<int64_t>(Timer::now() * 1000.0);
}

}  // namespace

std::string TLANWorker::sdkHeader() {
    return Text::format(
        "%@/%@ %@/%@ %@/%@ %@", TLANUtil::sdkTypeString(), TLANUtil::sdkVersionString(),
        TLANUtil::urlEncode(TLANUtil::appDisplayNameString()),
        TLANUtil::urlEncode(TLANUtil::appVersionString()), TLANUtil::deviceModelString(),
        TLANUtil::osVersionString(), TLANUtil::md5(TallyStatApp::sharedInstance().appid()));
}

void TLANWorker::main() {
    if (m_body.empty()) {
        return;
    }
    postData();
}

void TLANWorker::postData() {
    for (const std::string& url : TallyStatHosts::urls(TallyStatHosts::kLogPath)) {
        if (postDataToServer(url)) {
            break;
        }
    }
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    cache.removeJSONData();
    TallyStatJob& job = TallyStatJob::sharedInstance();
    std::lock_guard<std::recursive_mutex> guard(job.lock());
    job.setJobRunning(false);
    // The cache file mirrors the lists, in the background as well.
    cache.writeCacheFile();
}

HttpRequest TLANWorker::setupRequest(const std::string& url) const {
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {
        {"Msg-Type", "envelope"}, {"Content-Type", "envelope"}, {"X-Tally-Sdk", sdkHeader()}};
    request.body = m_body;
    request.timeoutSeconds = kTimeoutSeconds;
    return request;
}

bool TLANWorker::postDataToServer(const std::string& url) {
    const int64_t started = nowMs();
    const HttpRequest request = setupRequest(url);
    HttpResponse response;
    {
        TLANWorkGate::Outside sending;
        response = HttpClient::sendSynchronously(request);
    }
    const auto usedMs = static_cast<int32_t>(nowMs() - started);
    if (response.failed() || response.body.empty()) {
        return noResponse(response, usedMs);
    }
    if (response.statusCode != kHttpOk) {
        tallyLog("(Response Applog) {\"fail\": \"error\"}");
        TallyStatInternal::incrementRequest(false, usedMs);
        return false;
    }
    return hasThriftResponse(response.body, usedMs);
}

bool TLANWorker::hasThriftResponse(const Bytes& response, int32_t usedMs) {
    TallyStatThrift& thrift = TallyStatThrift::sharedInstance();
    TallyStatInternal& cache = TallyStatInternal::sharedInstance();
    if (thrift.isResponseOK(response)) {
        tallyLog("(Response Applog) {\"success\": \"ok\"}");
        TallyStatInternal::incrementRequest(true, usedMs);
        cache.markJobDone();
        thrift.setActivateMsgFlag();
        return true;
    }
    tallyLog("(Response Applog) {\"fail\": \"error\"}");
    TallyStatInternal::incrementRequest(false, usedMs);
    TallyStatInternal::updateSerialNum(1);
    cache.removeEnvelopeData();
    if (TallyStatApp::sharedInstance().reportPolicy() == 2) {
        cache.removeSentData();
    }
    return false;
}

bool TLANWorker::noResponse(const HttpResponse& response, int32_t usedMs) {
    TallyStatInternal::incrementRequest(false, usedMs);
    if (response.failed()) {
        tallyLog("(Error   Applog) %@", Text::format("%d %@", response.error, response.errorText));
    }
    return false;
}

bool TLANWorker::hasJsonResponse(const Bytes& response, int32_t usedMs) {
    const std::string text(response.begin(), response.end());
    tallyLog("(Response Applog) %@", text);
    std::optional<TLANJsonValue> json = TLANUtil::JSONValue(text);
    const bool success =
        json && json->entries().size() == 1 && (*json)["success"] == TLANJsonValue("ok");
    TallyStatInternal::incrementRequest(success, usedMs);
    if (success) {
        TallyStatInternal::sharedInstance().markJobDone();
    }
    return success;
}
