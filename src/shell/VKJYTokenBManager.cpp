#include "shell/VKJYTokenBManager.h"

#include "platform/foundation/UserDefaults.h"

std::optional<std::string> VKJYTokenBManager::tokenB() const {
    auto value = UserDefaults::standardUserDefaults().objectForKey(kTokenBKey);
    return value.asString();
}

void VKJYTokenBManager::saveTokenB(const std::string& token) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setString(token, kTokenBKey);
    defaults.synchronize();
}
