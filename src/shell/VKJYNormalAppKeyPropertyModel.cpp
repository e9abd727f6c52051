#include "shell/VKJYNormalAppKeyPropertyModel.h"

#include <algorithm>

#include "platform/foundation/Text.h"
#include "shell/VKJYDirectoryReply.h"

void VKJYNormalAppKeyPropertyModel::fillWithReply(const VKJYDirectoryReply& reply) {
    auto props = reply.resp.elementForName("PROPS");
    if (!props) {
        return;
    }
    for (const auto& prop : props->elementsForName("PROP")) {
        setProperty(VKJYDirectoryReply::attribute(prop, "KEY"),
                    VKJYDirectoryReply::attribute(prop, "VALUE"));
    }
}

void VKJYNormalAppKeyPropertyModel::setProperty(const std::string& key, const std::string& value) {
    if (key.empty()) {
        return;
    }
    m_properties[key] = value;
}

std::string VKJYNormalAppKeyPropertyModel::propertyForKey(const std::string& key) const {
    auto found = m_properties.find(key);
    return found == m_properties.end() ? std::string() : found->second;
}

std::vector<std::string> VKJYNormalAppKeyPropertyModel::cuoHeCodeArray() const {
    std::vector<std::string> codes;
    if (!hasProperty(kCuoHeCodesKey)) {
        return codes;
    }
    // An empty property or a trailing "," names no commodity.
    for (auto& code : Text::split(propertyForKey(kCuoHeCodesKey), ",")) {
        if (!code.empty()) {
            codes.push_back(std::move(code));
        }
    }
    return codes;
}

bool VKJYNormalAppKeyPropertyModel::isCuoHeCommodity(const std::string& code) const {
    const auto codes = cuoHeCodeArray();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}
