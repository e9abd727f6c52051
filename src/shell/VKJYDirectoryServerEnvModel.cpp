#include "shell/VKJYDirectoryServerEnvModel.h"

#include "platform/foundation/Text.h"
#include "shell/VKJYDirectoryLookup.h"

int VKJYDirectoryServerEnvModel::typeValue() const {
    return Text::intValue(type);
}

std::shared_ptr<VKJYDirectoryServerYwModel> VKJYDirectoryServerEnvModel::ywModelForType(
    const std::string& ywType) const {
    return firstInAnswerOrder(ywArray, [&](const auto& yw) { return yw.type == ywType; });
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
