#include "shell/VKJYDirectoryServerServiceModel.h"

std::string VKJYDirectoryServerServiceModel::firstZuLLUrl() const {
    if (zuArray.empty() || zuArray.front()->llArray.empty()) {
        return {};
    }
    return zuArray.front()->llArray.front()->url;
}
