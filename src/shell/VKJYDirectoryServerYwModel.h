#pragma once

// A business of an environment: type "1" trade, "2" notices and reports, "3" funds, with its
// lines in answer order. Plain record owned by its environment.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerLLModel.h"

struct VKJYDirectoryServerYwModel {
    std::string type;
    std::vector<std::shared_ptr<VKJYDirectoryServerLLModel>> llArray;

    // At least one line with a non-empty address.
    bool hasUsableLine() const;
};
