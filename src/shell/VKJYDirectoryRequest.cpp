#include "shell/VKJYDirectoryRequest.h"

#include "base/XMLTemplate.h"
#include "platform/foundation/Bundle.h"
#include "shell/VKJYDirectoryUrlHelper.h"

VKJYDirectoryRequest::VKJYDirectoryRequest(VKJYDirectoryUrlHelper& urls) : m_urls(urls) {}

void VKJYDirectoryRequest::send(const std::string& templateName,
                                std::map<std::string, std::string> fields, Completion completion,
                                Validator validator) {
    cancel();
    m_completion = std::move(completion);
    m_validator = std::move(validator);
    m_running = true;
    auto text = Bundle::contentsOfResource("directory/" + templateName, "xml");
    if (!text) {
        m_running = false;
        m_lastError = "missing template " + templateName;
        auto done = std::move(m_completion);
        done(std::nullopt);
        return;
    }
    // Missing fields go out empty, as the protocol allows.
    m_body = XMLTemplate::fill(std::string(text->begin(), text->end()), fields).text;
    post();
}

void VKJYDirectoryRequest::cancel() {
    m_client.cancelAll();
    m_running = false;
}

void VKJYDirectoryRequest::post() {
    HttpRequest request;
    request.method = "POST";
    request.url = m_urls.availableUrl();
    request.headers = {{"Content-Type", "text/xml; charset=utf-8"}};
    request.body = Bytes(m_body.begin(), m_body.end());
    request.timeoutSeconds = kTimeoutSeconds;
    m_client.send(request, [this](const HttpResponse& response) {
        if (response.failed()) {
            return failed("transport error " + std::to_string(response.error));
        }
        if (response.statusCode != 200) {
            return failed("HTTP status " + std::to_string(response.statusCode));
        }
        auto reply = VKJYDirectoryReply::parse(response.bodyText());
        if (!reply) {
            return failed("reply is not a RESP document");
        }
        if (!reply->succeeded()) {
            return failed("reply code " + reply->code + " " + reply->msg);
        }
        if (m_validator && !m_validator(*reply)) {
            return failed("reply lacks its part");
        }
        m_running = false;
        auto done = std::move(m_completion);
        done(std::move(reply));
    });
}

void VKJYDirectoryRequest::failed(std::string reason) {
    m_lastError = std::move(reason);
    if (m_urls.moveToNextUrl()) {
        post();
        return;
    }
    m_running = false;
    auto done = std::move(m_completion);
    done(std::nullopt);
}
