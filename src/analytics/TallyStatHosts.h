#pragma once

#include <string>
#include <vector>

// Where the analytics service lives: a primary and a fallback host (base URLs such as
// "http://127.0.0.1:18811"), tried in that order for the log, configuration and update paths;
// the ad path is asked of the primary host. Taken from the Info.plist keys "TALLYPrimaryHost"
// and "TALLYFallbackHost" when present, else the simulator's fixed loopback ports; tests and
// tools set them directly. Any thread.
class TallyStatHosts {
public:
    static constexpr const char* kLogPath = "/app_logs";
    static constexpr const char* kConfigPath = "/check_config_update";
    static constexpr const char* kUpdatePath = "/api/check_app_update";
    static constexpr const char* kAdPath = "/api/get_ad_url";
    static constexpr const char* kDefaultPrimaryHost = "http://127.0.0.1:18811";
    static constexpr const char* kDefaultFallbackHost = "http://127.0.0.1:18812";

    static void setHosts(const std::string& primary, const std::string& fallback);
    // Back to the Info.plist values or the defaults.
    static void resetHosts();
    static std::string primaryHost();
    static std::string fallbackHost();

    // The path on the primary host, then on the fallback host.
    static std::vector<std::string> urls(const std::string& path);
    static std::string adURL();
};
