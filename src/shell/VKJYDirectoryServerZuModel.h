#pragma once

// A group of lines that all reach one server (a quote server or a service), lines in answer
// order for fail-over. Plain record shared inside VKJYDirectoryServerModel.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerLLModel.h"

struct VKJYDirectoryServerZuModel {
    std::string zuid;
    std::string zun;
    std::vector<std::shared_ptr<VKJYDirectoryServerLLModel>> llArray;
};
