#pragma once

// The server part of the welcome sequence: the directory (and from it the quote-server list),
// the app-key properties, the trading module, the user-management URL. Each directory request
// fails over across the configured URLs; when none is left the sequence stops and reports the
// failure, and start() runs it again from the first URL. Results go into the application
// delegate. Owned by the welcome screen. Main thread.

#include <functional>
#include <string>

#include "shell/VKJYDirectoryRequest.h"

class VKJYAppDelegate;

class VKJYStartupSequence {
public:
    static constexpr const char* kOsType = "ios";

    using Finished = std::function<void()>;
    using Failed = std::function<void(const std::string& reason)>;

    VKJYStartupSequence(VKJYAppDelegate& app, Finished finished, Failed failed);

    void start();
    bool isRunning() const { return m_request.isRunning(); }

private:
    void requestDirectory();
    void requestAppKeyProperties();
    void requestUserManageUrl();
    bool failedReply(const std::optional<VKJYDirectoryReply>& reply);

    VKJYAppDelegate& m_app;
    VKJYDirectoryRequest m_request;
    Finished m_finished;
    Failed m_failed;
};
