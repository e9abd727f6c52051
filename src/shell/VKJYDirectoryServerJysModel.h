#pragma once

// An exchange (trading platform) of the directory answer with its environments in answer
// order. Owned by the business-system record; read-only after parsing.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerEnvModel.h"

struct VKJYDirectoryServerJysModel {
    std::string code;
    std::string jysn;
    std::vector<std::shared_ptr<VKJYDirectoryServerEnvModel>> envArray;

    std::shared_ptr<VKJYDirectoryServerEnvModel> envModelForCode(const std::string& envCode) const;
    // Codes of the environments whose businesses all have a line with an address.
    std::vector<std::string> allEnvCodeWithLL() const;
};
