#pragma once

// One directory-server request (docs/directory-protocol.md) with fail-over: the named template
// is filled and posted to the helper's current URL; a transport failure, a reply that is not a
// RESP document or a CODE other than "0" moves the helper to its next URL and sends again.
// The completion gets the successful reply, or nothing when no URL is left (the last failure's
// reason in lastError()). Owned by the screen that asks; destroying it cancels the request.
// Main thread.

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/foundation/HttpClient.h"
#include "shell/VKJYDirectoryReply.h"

class VKJYDirectoryUrlHelper;

class VKJYDirectoryRequest {
public:
    static constexpr double kTimeoutSeconds = 20;
    using Completion = std::function<void(std::optional<VKJYDirectoryReply> reply)>;
    // Whether a reply with CODE "0" carries what the caller needs; one that does not counts
    // as a failure of its URL.
    using Validator = std::function<bool(const VKJYDirectoryReply& reply)>;

    explicit VKJYDirectoryRequest(VKJYDirectoryUrlHelper& urls);

    // templateName: a resource under "directory/" without ".xml". A missing template fails at
    // once. A new send replaces one still running.
    void send(const std::string& templateName, std::map<std::string, std::string> fields,
              Completion completion, Validator validator = {});
    void cancel();
    bool isRunning() const { return m_running; }
    const std::string& lastError() const { return m_lastError; }

private:
    void post();
    void failed(std::string reason);

    VKJYDirectoryUrlHelper& m_urls;
    HttpClient m_client;
    std::string m_body;
    Completion m_completion;
    Validator m_validator;
    std::string m_lastError;
    bool m_running = false;
};
