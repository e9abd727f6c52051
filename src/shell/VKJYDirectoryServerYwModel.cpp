#include "shell/VKJYDirectoryServerYwModel.h"

bool VKJYDirectoryServerYwModel::hasUsableLine() const {
    for (const auto& line : llArray) {
        if (!line->url.empty()) {
            return true;
        }
    }
    return false;
}
