#include "analytics/TLANFormRequest.h"

#include "analytics/TLANUtil.h"
#include "analytics/TLANWorkGate.h"
#include "analytics/TallyLog.h"
#include "platform/foundation/HttpClient.h"

std::string TLANFormRequest::body(const TLANJsonValue& dictionary) {
    return "content=" + TLANUtil::urlEncode(TLANUtil::JSONFragment(dictionary).value_or(""));
}

HttpResponse TLANFormRequest::send(const std::string& url, const TLANJsonValue& dictionary,
                                   const std::string& label) {
    tallyLog("(Request  %@) %@", label,
             "content=" + TLANUtil::JSONFragment(dictionary).value_or(""));
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "application/x-www-form-urlencoded"}};
    const std::string text = body(dictionary);
    request.body = Bytes(text.begin(), text.end());
    request.timeoutSeconds = kTimeoutSeconds;
    TLANWorkGate::Outside sending;
    return HttpClient::sendSynchronously(request);
}
