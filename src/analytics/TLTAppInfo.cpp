#include "analytics/TLTAppInfo.h"

#include <utility>

TLTAppInfo::TLTAppInfo(std::optional<std::string> key, std::optional<std::string> version,
                       int32_t version_index, std::optional<std::string> package_name,
                       int32_t sdk_type, std::optional<std::string> sdk_version,
                       std::optional<std::string> channel, std::optional<std::string> wrapper_type,
                       std::optional<std::string> wrapper_version) {
    m_key.set(std::move(key));
    m_version.set(std::move(version));
    m_version_index.set(version_index);
    m_package_name.set(std::move(package_name));
    m_sdk_type.set(sdk_type);
    m_sdk_version.set(std::move(sdk_version));
    m_channel.set(std::move(channel));
    m_wrapper_type.set(std::move(wrapper_type));
    m_wrapper_version.set(std::move(wrapper_version));
}
