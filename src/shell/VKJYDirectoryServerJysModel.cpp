#include "shell/VKJYDirectoryServerJysModel.h"

std::shared_ptr<VKJYDirectoryServerEnvModel> VKJYDirectoryServerJysModel::envModelForCode(
    const std::string& envCode) const {
    for (const auto& env : envArray) {
        if (env->envCode == envCode) {
            return env;
        }
    }
    return nullptr;
}

std::vector<std::string> VKJYDirectoryServerJysModel::allEnvCodeWithLL() const {
    std::vector<std::string> codes;
    for (const auto& env : envArray) {
        if (env->hasAllLines()) {
            codes.push_back(env->envCode);
        }
    }
    return codes;
}
