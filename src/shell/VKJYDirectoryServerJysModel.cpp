#include "shell/VKJYDirectoryServerJysModel.h"

#include "shell/VKJYDirectoryLookup.h"

std::shared_ptr<VKJYDirectoryServerEnvModel> VKJYDirectoryServerJysModel::envModelForCode(
    const std::string& envCode) const {
    return firstInAnswerOrder(envArray, [&](const auto& env) { return env.envCode == envCode; });
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
