#include "shell/VKJYMarketDirectoryNames.h"

#include <charconv>

#include "shell/VKJYDirectoryServerYwsysModel.h"

bool VKJYMarketDirectoryNames::codeNames(const std::string& code, int value) {
    int number = 0;
    const char* end = code.data() + code.size();
    const auto result = std::from_chars(code.data(), end, number);
    return !code.empty() && result.ec == std::errc() && result.ptr == end && number == value;
}

std::shared_ptr<VKJYDirectoryServerJysModel> VKJYMarketDirectoryNames::exchange(
    int16_t marketId) const {
    std::shared_ptr<VKJYDirectoryServerJysModel> found;
    if (!m_ywsys) {
        return found;
    }
    for (const auto& jys : m_ywsys->jysArray) {
        if (jys && codeNames(jys->code, marketId)) {
            found = jys;
        }
    }
    return found;
}

std::shared_ptr<VKJYDirectoryServerEnvModel> VKJYMarketDirectoryNames::environment(
    int16_t marketId, int16_t diskId) const {
    std::shared_ptr<VKJYDirectoryServerEnvModel> found;
    if (!m_ywsys) {
        return found;
    }
    for (const auto& jys : m_ywsys->jysArray) {
        if (!jys || !codeNames(jys->code, marketId)) {
            continue;
        }
        for (const auto& env : jys->envArray) {
            if (env && codeNames(env->envCode, diskId)) {
                found = env;
            }
        }
    }
    return found;
}

std::string VKJYMarketDirectoryNames::exchangeName(int16_t marketId) const {
    const auto jys = exchange(marketId);
    return jys ? jys->jysn : std::string();
}

std::string VKJYMarketDirectoryNames::environmentName(int16_t marketId, int16_t diskId) const {
    const auto env = environment(marketId, diskId);
    return env ? env->envN : std::string();
}

std::string VKJYMarketDirectoryNames::environmentTag(int16_t marketId, int16_t diskId) const {
    const auto env = environment(marketId, diskId);
    return env ? env->envTag : std::string();
}
