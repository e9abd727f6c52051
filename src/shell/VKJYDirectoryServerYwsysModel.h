#pragma once

// The business-system part of the directory answer: exchanges, quote-server groups and
// entries, services and the first-launch commodity entries, each in answer order.
// Owned by VKJYDirectoryServerModel; read-only after parsing.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerCmmdModel.h"
#include "shell/VKJYDirectoryServerHpModel.h"
#include "shell/VKJYDirectoryServerJysModel.h"
#include "shell/VKJYDirectoryServerServiceModel.h"
#include "shell/VKJYDirectoryServerZuModel.h"

struct VKJYDirectoryServerYwsysModel {
    std::vector<std::shared_ptr<VKJYDirectoryServerJysModel>> jysArray;
    std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>> hqZuArray;
    std::vector<VKJYDirectoryServerHpModel> hpArray;
    std::vector<std::shared_ptr<VKJYDirectoryServerServiceModel>> serviceArray;
    std::vector<VKJYDirectoryServerCmmdModel> cmmds;

    std::shared_ptr<VKJYDirectoryServerJysModel> jysModelForCode(const std::string& code) const;
    // Codes of the exchanges with at least one usable environment.
    std::vector<std::string> allJysCodeWithEnvAndLL() const;
    std::shared_ptr<VKJYDirectoryServerServiceModel> serviceModelForType(
        const std::string& type) const;
};
