#include "analytics/TLTUALogEntry.h"

#include <utility>

TLTUALogEntry::TLTUALogEntry(std::optional<TLTClientStats> client_stats,
                             std::optional<TLTAppInfo> app_info,
                             std::optional<TLTDeviceInfo> device_info,
                             std::optional<TLTMiscInfo> misc_info,
                             std::optional<TLTActivateMsg> activate_msg,
                             std::optional<std::vector<TLTInstantMsg>> instant_msgs,
                             std::optional<std::vector<TLTSession>> sessions,
                             std::optional<TLTImprint> imprint,
                             std::optional<TLTIdTracking> id_tracking) {
    m_client_stats.set(std::move(client_stats));
    m_app_info.set(std::move(app_info));
    m_device_info.set(std::move(device_info));
    m_misc_info.set(std::move(misc_info));
    m_activate_msg.set(std::move(activate_msg));
    m_instant_msgs.set(std::move(instant_msgs));
    m_sessions.set(std::move(sessions));
    m_imprint.set(std::move(imprint));
    m_id_tracking.set(std::move(id_tracking));
}
