#include "analytics/TLTDeviceInfo.h"

#include <utility>

TLTDeviceInfo::TLTDeviceInfo(
    std::optional<std::string> device_id, std::optional<std::string> idmd5,
    std::optional<std::string> mac_address, std::optional<std::string> open_udid,
    std::optional<std::string> model, std::optional<std::string> cpu, std::optional<std::string> os,
    std::optional<std::string> os_version, std::optional<TLTResolution> resolution,
    std::optional<std::string> device_board, std::optional<std::string> device_brand,
    int64_t device_manutime, std::optional<std::string> device_manufacturer,
    std::optional<std::string> device_manuid, std::optional<std::string> device_name) {
    m_device_id.set(std::move(device_id));
    m_idmd5.set(std::move(idmd5));
    m_mac_address.set(std::move(mac_address));
    m_open_udid.set(std::move(open_udid));
    m_model.set(std::move(model));
    m_cpu.set(std::move(cpu));
    m_os.set(std::move(os));
    m_os_version.set(std::move(os_version));
    m_resolution.set(std::move(resolution));
    m_device_board.set(std::move(device_board));
    m_device_brand.set(std::move(device_brand));
    m_device_manutime.set(device_manutime);
    m_device_manufacturer.set(std::move(device_manufacturer));
    m_device_manuid.set(std::move(device_manuid));
    m_device_name.set(std::move(device_name));
}
