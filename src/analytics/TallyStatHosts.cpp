#include "analytics/TallyStatHosts.h"

#include <mutex>
#include <optional>

#include "platform/foundation/Bundle.h"

namespace {

struct Hosts {
    std::mutex mutex;
    std::optional<std::string> primary;
    std::optional<std::string> fallback;
};

Hosts& hosts() {
    static Hosts* shared = new Hosts();
    return *shared;
}

std::string infoHost(const char* key, const char* fallback) {
    std::string value = Bundle::objectForInfoDictionaryKey(key).toString();
    return value.empty() ? fallback : value;
}

}  // namespace

void TallyStatHosts::setHosts(const std::string& primary, const std::string& fallback) {
    std::lock_guard<std::mutex> guard(hosts().mutex);
    hosts().primary = primary;
    hosts().fallback = fallback;
}

void TallyStatHosts::resetHosts() {
    std::lock_guard<std::mutex> guard(hosts().mutex);
    hosts().primary.reset();
    hosts().fallback.reset();
}

std::string TallyStatHosts::primaryHost() {
    std::lock_guard<std::mutex> guard(hosts().mutex);
    return hosts().primary.value_or(infoHost("TALLYPrimaryHost", kDefaultPrimaryHost));
}

std::string TallyStatHosts::fallbackHost() {
    std::lock_guard<std::mutex> guard(hosts().mutex);
    return hosts().fallback.value_or(infoHost("TALLYFallbackHost", kDefaultFallbackHost));
}

std::vector<std::string> TallyStatHosts::urls(const std::string& path) {
    return {primaryHost() + path, fallbackHost() + path};
}

std::string TallyStatHosts::adURL() {
    return primaryHost() + kAdPath;
}
