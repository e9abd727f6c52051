#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"
#include "analytics/TLTResolution.h"

// Device facts of an analytics upload.
// Wire struct "DeviceInfo"; one value and one "is set" flag per field. Plain value, any thread.
class TLTDeviceInfo : public TLTRecord<TLTDeviceInfo> {
public:
    static constexpr const char* kStructName = "DeviceInfo";
    static constexpr const char* kClassName = "TLTDeviceInfo";

    TLTDeviceInfo() = default;
    // Sets and flags every field.
    TLTDeviceInfo(std::optional<std::string> device_id, std::optional<std::string> idmd5,
                  std::optional<std::string> mac_address, std::optional<std::string> open_udid,
                  std::optional<std::string> model, std::optional<std::string> cpu,
                  std::optional<std::string> os, std::optional<std::string> os_version,
                  std::optional<TLTResolution> resolution, std::optional<std::string> device_board,
                  std::optional<std::string> device_brand, int64_t device_manutime,
                  std::optional<std::string> device_manufacturer,
                  std::optional<std::string> device_manuid, std::optional<std::string> device_name);

    const std::optional<std::string>& device_id() const { return m_device_id.value; }
    void setDevice_id(std::optional<std::string> value) { m_device_id.set(std::move(value)); }
    bool device_idIsSet() const { return m_device_id.isSet; }
    void unsetDevice_id() { m_device_id.unset(); }

    const std::optional<std::string>& idmd5() const { return m_idmd5.value; }
    void setIdmd5(std::optional<std::string> value) { m_idmd5.set(std::move(value)); }
    bool idmd5IsSet() const { return m_idmd5.isSet; }
    void unsetIdmd5() { m_idmd5.unset(); }

    const std::optional<std::string>& mac_address() const { return m_mac_address.value; }
    void setMac_address(std::optional<std::string> value) { m_mac_address.set(std::move(value)); }
    bool mac_addressIsSet() const { return m_mac_address.isSet; }
    void unsetMac_address() { m_mac_address.unset(); }

    const std::optional<std::string>& open_udid() const { return m_open_udid.value; }
    void setOpen_udid(std::optional<std::string> value) { m_open_udid.set(std::move(value)); }
    bool open_udidIsSet() const { return m_open_udid.isSet; }
    void unsetOpen_udid() { m_open_udid.unset(); }

    const std::optional<std::string>& model() const { return m_model.value; }
    void setModel(std::optional<std::string> value) { m_model.set(std::move(value)); }
    bool modelIsSet() const { return m_model.isSet; }
    void unsetModel() { m_model.unset(); }

    const std::optional<std::string>& cpu() const { return m_cpu.value; }
    void setCpu(std::optional<std::string> value) { m_cpu.set(std::move(value)); }
    bool cpuIsSet() const { return m_cpu.isSet; }
    void unsetCpu() { m_cpu.unset(); }

    const std::optional<std::string>& os() const { return m_os.value; }
    void setOs(std::optional<std::string> value) { m_os.set(std::move(value)); }
    bool osIsSet() const { return m_os.isSet; }
    void unsetOs() { m_os.unset(); }

    const std::optional<std::string>& os_version() const { return m_os_version.value; }
    void setOs_version(std::optional<std::string> value) { m_os_version.set(std::move(value)); }
    bool os_versionIsSet() const { return m_os_version.isSet; }
    void unsetOs_version() { m_os_version.unset(); }

    const std::optional<TLTResolution>& resolution() const { return m_resolution.value; }
    void setResolution(std::optional<TLTResolution> value) { m_resolution.set(std::move(value)); }
    bool resolutionIsSet() const { return m_resolution.isSet; }
    void unsetResolution() { m_resolution.unset(); }

    const std::optional<std::string>& device_board() const { return m_device_board.value; }
    void setDevice_board(std::optional<std::string> value) { m_device_board.set(std::move(value)); }
    bool device_boardIsSet() const { return m_device_board.isSet; }
    void unsetDevice_board() { m_device_board.unset(); }

    const std::optional<std::string>& device_brand() const { return m_device_brand.value; }
    void setDevice_brand(std::optional<std::string> value) { m_device_brand.set(std::move(value)); }
    bool device_brandIsSet() const { return m_device_brand.isSet; }
    void unsetDevice_brand() { m_device_brand.unset(); }

    int64_t device_manutime() const { return m_device_manutime.value; }
    void setDevice_manutime(int64_t value) { m_device_manutime.set(value); }
    bool device_manutimeIsSet() const { return m_device_manutime.isSet; }
    void unsetDevice_manutime() { m_device_manutime.unset(); }

    const std::optional<std::string>& device_manufacturer() const {
        return m_device_manufacturer.value;
    }
    void setDevice_manufacturer(std::optional<std::string> value) {
        m_device_manufacturer.set(std::move(value));
    }
    bool device_manufacturerIsSet() const { return m_device_manufacturer.isSet; }
    void unsetDevice_manufacturer() { m_device_manufacturer.unset(); }

    const std::optional<std::string>& device_manuid() const { return m_device_manuid.value; }
    void setDevice_manuid(std::optional<std::string> value) {
        m_device_manuid.set(std::move(value));
    }
    bool device_manuidIsSet() const { return m_device_manuid.isSet; }
    void unsetDevice_manuid() { m_device_manuid.unset(); }

    const std::optional<std::string>& device_name() const { return m_device_name.value; }
    void setDevice_name(std::optional<std::string> value) { m_device_name.set(std::move(value)); }
    bool device_nameIsSet() const { return m_device_name.isSet; }
    void unsetDevice_name() { m_device_name.unset(); }

    bool operator==(const TLTDeviceInfo&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("device_id", 1, self.m_device_id),
                          tltField("idmd5", 2, self.m_idmd5),
                          tltField("mac_address", 3, self.m_mac_address),
                          tltField("open_udid", 4, self.m_open_udid),
                          tltField("model", 5, self.m_model),
                          tltField("cpu", 6, self.m_cpu),
                          tltField("os", 7, self.m_os),
                          tltField("os_version", 8, self.m_os_version),
                          tltField("resolution", 9, self.m_resolution),
                          tltField("device_board", 12, self.m_device_board),
                          tltField("device_brand", 13, self.m_device_brand),
                          tltField("device_manutime", 14, self.m_device_manutime),
                          tltField("device_manufacturer", 15, self.m_device_manufacturer),
                          tltField("device_manuid", 16, self.m_device_manuid),
                          tltField("device_name", 17, self.m_device_name)};
    }

    TLTField<std::optional<std::string>> m_device_id;
    TLTField<std::optional<std::string>> m_idmd5;
    TLTField<std::optional<std::string>> m_mac_address;
    TLTField<std::optional<std::string>> m_open_udid;
    TLTField<std::optional<std::string>> m_model;
    TLTField<std::optional<std::string>> m_cpu;
    TLTField<std::optional<std::string>> m_os;
    TLTField<std::optional<std::string>> m_os_version;
    TLTField<std::optional<TLTResolution>> m_resolution;
    TLTField<std::optional<std::string>> m_device_board;
    TLTField<std::optional<std::string>> m_device_brand;
    TLTField<int64_t> m_device_manutime;
    TLTField<std::optional<std::string>> m_device_manufacturer;
    TLTField<std::optional<std::string>> m_device_manuid;
    TLTField<std::optional<std::string>> m_device_name;
};
