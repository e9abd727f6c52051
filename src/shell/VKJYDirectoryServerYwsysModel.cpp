#include "shell/VKJYDirectoryServerYwsysModel.h"

std::shared_ptr<VKJYDirectoryServerJysModel> VKJYDirectoryServerYwsysModel::jysModelForCode(
    const std::string& code) const {
    for (const auto& jys : jysArray) {
        if (jys->code == code) {
            return jys;
        }
    }
    return nullptr;
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
    for (const auto& service : serviceArray) {
        if (service->type == type) {
            return service;
        }
    }
    return nullptr;
}

std::shared_ptr<VKJYDirectoryServerZuModel> VKJYDirectoryServerYwsysModel::hqZuModelForId(
    const std::string& zuid) const {
    for (const auto& zu : hqZuArray) {
        if (zu->zuid == zuid) {
            return zu;
        }
    }
    return nullptr;
}
