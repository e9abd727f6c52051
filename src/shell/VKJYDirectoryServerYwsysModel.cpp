#include "shell/VKJYDirectoryServerYwsysModel.h"

#include "shell/VKJYDirectoryLookup.h"

std::shared_ptr<VKJYDirectoryServerJysModel> VKJYDirectoryServerYwsysModel::jysModelForCode(
    const std::string& code) const {
    return firstInAnswerOrder(jysArray, [&](const auto& jys) { return jys.code == code; });
}

std::vector<std::string> VKJYDirectoryServerYwsysModel::allJysCodeWithEnvAndLL() const {
    std::vector<std::string> codes;
    for (const auto& jys : jysArray) {
        if (!jys->allEnvCodeWithLL().empty()) {
            codes.push_back(jys->code);
        }
    }
    return codes;
}

std::shared_ptr<VKJYDirectoryServerServiceModel> VKJYDirectoryServerYwsysModel::serviceModelForType(
    const std::string& type) const {
    return firstInAnswerOrder(serviceArray,
                              [&](const auto& service) { return service.type == type; });
}
