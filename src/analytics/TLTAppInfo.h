#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// Application facts of an analytics upload.
// Wire struct "AppInfo"; one value and one "is set" flag per field. Plain value, any thread.
class TLTAppInfo : public TLTRecord<TLTAppInfo> {
public:
    static constexpr const char* kStructName = "AppInfo";
    static constexpr const char* kClassName = "TLTAppInfo";

    TLTAppInfo() = default;
    // Sets and flags every field.
    TLTAppInfo(std::optional<std::string> key, std::optional<std::string> version,
               int32_t version_index, std::optional<std::string> package_name, int32_t sdk_type,
               std::optional<std::string> sdk_version, std::optional<std::string> channel,
               std::optional<std::string> wrapper_type, std::optional<std::string> wrapper_version);

    const std::optional<std::string>& key() const { return m_key.value; }
    void setKey(std::optional<std::string> value) { m_key.set(std::move(value)); }
    bool keyIsSet() const { return m_key.isSet; }
    void unsetKey() { m_key.unset(); }

    const std::optional<std::string>& version() const { return m_version.value; }
    void setVersion(std::optional<std::string> value) { m_version.set(std::move(value)); }
    bool versionIsSet() const { return m_version.isSet; }
    void unsetVersion() { m_version.unset(); }

    int32_t version_index() const { return m_version_index.value; }
    void setVersion_index(int32_t value) { m_version_index.set(value); }
    bool version_indexIsSet() const { return m_version_index.isSet; }
    void unsetVersion_index() { m_version_index.unset(); }

    const std::optional<std::string>& package_name() const { return m_package_name.value; }
    void setPackage_name(std::optional<std::string> value) { m_package_name.set(std::move(value)); }
    bool package_nameIsSet() const { return m_package_name.isSet; }
    void unsetPackage_name() { m_package_name.unset(); }

    int32_t sdk_type() const { return m_sdk_type.value; }
    void setSdk_type(int32_t value) { m_sdk_type.set(value); }
    bool sdk_typeIsSet() const { return m_sdk_type.isSet; }
    void unsetSdk_type() { m_sdk_type.unset(); }

    const std::optional<std::string>& sdk_version() const { return m_sdk_version.value; }
    void setSdk_version(std::optional<std::string> value) { m_sdk_version.set(std::move(value)); }
    bool sdk_versionIsSet() const { return m_sdk_version.isSet; }
    void unsetSdk_version() { m_sdk_version.unset(); }

    const std::optional<std::string>& channel() const { return m_channel.value; }
    void setChannel(std::optional<std::string> value) { m_channel.set(std::move(value)); }
    bool channelIsSet() const { return m_channel.isSet; }
    void unsetChannel() { m_channel.unset(); }

    const std::optional<std::string>& wrapper_type() const { return m_wrapper_type.value; }
    void setWrapper_type(std::optional<std::string> value) { m_wrapper_type.set(std::move(value)); }
    bool wrapper_typeIsSet() const { return m_wrapper_type.isSet; }
    void unsetWrapper_type() { m_wrapper_type.unset(); }

    const std::optional<std::string>& wrapper_version() const { return m_wrapper_version.value; }
    void setWrapper_version(std::optional<std::string> value) {
        m_wrapper_version.set(std::move(value));
    }
    bool wrapper_versionIsSet() const { return m_wrapper_version.isSet; }
    void unsetWrapper_version() { m_wrapper_version.unset(); }

    bool operator==(const TLTAppInfo&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("key", 1, self.m_key),
                          tltField("version", 2, self.m_version),
                          tltField("version_index", 3, self.m_version_index),
                          tltField("package_name", 4, self.m_package_name),
                          tltField("sdk_type", 5, self.m_sdk_type),
                          tltField("sdk_version", 6, self.m_sdk_version),
                          tltField("channel", 7, self.m_channel),
                          tltField("wrapper_type", 8, self.m_wrapper_type),
                          tltField("wrapper_version", 9, self.m_wrapper_version)};
    }

    TLTField<std::optional<std::string>> m_key;
    TLTField<std::optional<std::string>> m_version;
    TLTField<int32_t> m_version_index;
    TLTField<std::optional<std::string>> m_package_name;
    TLTField<int32_t> m_sdk_type;
    TLTField<std::optional<std::string>> m_sdk_version;
    TLTField<std::optional<std::string>> m_channel;
    TLTField<std::optional<std::string>> m_wrapper_type;
    TLTField<std::optional<std::string>> m_wrapper_version;
};
