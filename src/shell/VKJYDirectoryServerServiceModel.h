#pragma once

// A service of the directory answer (type "2": the SMS-code services) with its line groups.
// Plain record owned by the business-system record.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerZuModel.h"

struct VKJYDirectoryServerServiceModel {
    std::string type;
    std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>> zuArray;

    // Address of the first line of the first group; empty when there is none.
    std::string firstZuLLUrl() const;
};
