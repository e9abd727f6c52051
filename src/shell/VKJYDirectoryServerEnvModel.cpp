#include "shell/VKJYDirectoryServerEnvModel.h"

#include "platform/foundation/Text.h"

int VKJYDirectoryServerEnvModel::typeValue() const { return Text::intValue(type); }

std::shared_ptr<VKJYDirectoryServerYwModel> VKJYDirectoryServerEnvModel::ywModelForType(
    const std::string& ywType) const {
    for (const auto& yw : ywArray) {
        if (yw->type == ywType) {
            return yw;
        }
    }
    return nullptr;
}

bool VKJYDirectoryServerEnvModel::hasAllLines() const {
    if (ywArray.empty()) {
        return false;
    }
    for (const auto& yw : ywArray) {
        if (!yw->hasUsableLine()) {
            return false;
        }
    }
    return true;
}
