#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTActivateMsg.h"
#include "analytics/TLTAppInfo.h"
#include "analytics/TLTClientStats.h"
#include "analytics/TLTDeviceInfo.h"
#include "analytics/TLTField.h"
#include "analytics/TLTIdTracking.h"
#include "analytics/TLTImprint.h"
#include "analytics/TLTInstantMsg.h"
#include "analytics/TLTMiscInfo.h"
#include "analytics/TLTRecord.h"
#include "analytics/TLTSession.h"

// The root record of one analytics upload.
// Wire struct "UALogEntry"; one value and one "is set" flag per field. Plain value, any thread.
class TLTUALogEntry : public TLTRecord<TLTUALogEntry> {
public:
    static constexpr const char* kStructName = "UALogEntry";
    static constexpr const char* kClassName = "TLTUALogEntry";

    TLTUALogEntry() = default;
    // Sets and flags every field.
    TLTUALogEntry(std::optional<TLTClientStats> client_stats, std::optional<TLTAppInfo> app_info,
                  std::optional<TLTDeviceInfo> device_info, std::optional<TLTMiscInfo> misc_info,
                  std::optional<TLTActivateMsg> activate_msg,
                  std::optional<std::vector<TLTInstantMsg>> instant_msgs,
                  std::optional<std::vector<TLTSession>> sessions,
                  std::optional<TLTImprint> imprint, std::optional<TLTIdTracking> id_tracking);

    const std::optional<TLTClientStats>& client_stats() const { return m_client_stats.value; }
    void setClient_stats(std::optional<TLTClientStats> value) {
        m_client_stats.set(std::move(value));
    }
    bool client_statsIsSet() const { return m_client_stats.isSet; }
    void unsetClient_stats() { m_client_stats.unset(); }

    const std::optional<TLTAppInfo>& app_info() const { return m_app_info.value; }
    void setApp_info(std::optional<TLTAppInfo> value) { m_app_info.set(std::move(value)); }
    bool app_infoIsSet() const { return m_app_info.isSet; }
    void unsetApp_info() { m_app_info.unset(); }

    const std::optional<TLTDeviceInfo>& device_info() const { return m_device_info.value; }
    void setDevice_info(std::optional<TLTDeviceInfo> value) { m_device_info.set(std::move(value)); }
    bool device_infoIsSet() const { return m_device_info.isSet; }
    void unsetDevice_info() { m_device_info.unset(); }

    const std::optional<TLTMiscInfo>& misc_info() const { return m_misc_info.value; }
    void setMisc_info(std::optional<TLTMiscInfo> value) { m_misc_info.set(std::move(value)); }
    bool misc_infoIsSet() const { return m_misc_info.isSet; }
    void unsetMisc_info() { m_misc_info.unset(); }

    const std::optional<TLTActivateMsg>& activate_msg() const { return m_activate_msg.value; }
    void setActivate_msg(std::optional<TLTActivateMsg> value) {
        m_activate_msg.set(std::move(value));
    }
    bool activate_msgIsSet() const { return m_activate_msg.isSet; }
    void unsetActivate_msg() { m_activate_msg.unset(); }

    const std::optional<std::vector<TLTInstantMsg>>& instant_msgs() const {
        return m_instant_msgs.value;
    }
    void setInstant_msgs(std::optional<std::vector<TLTInstantMsg>> value) {
        m_instant_msgs.set(std::move(value));
    }
    bool instant_msgsIsSet() const { return m_instant_msgs.isSet; }
    void unsetInstant_msgs() { m_instant_msgs.unset(); }

    const std::optional<std::vector<TLTSession>>& sessions() const { return m_sessions.value; }
    void setSessions(std::optional<std::vector<TLTSession>> value) {
        m_sessions.set(std::move(value));
    }
    bool sessionsIsSet() const { return m_sessions.isSet; }
    void unsetSessions() { m_sessions.unset(); }

    const std::optional<TLTImprint>& imprint() const { return m_imprint.value; }
    void setImprint(std::optional<TLTImprint> value) { m_imprint.set(std::move(value)); }
    bool imprintIsSet() const { return m_imprint.isSet; }
    void unsetImprint() { m_imprint.unset(); }

    const std::optional<TLTIdTracking>& id_tracking() const { return m_id_tracking.value; }
    void setId_tracking(std::optional<TLTIdTracking> value) { m_id_tracking.set(std::move(value)); }
    bool id_trackingIsSet() const { return m_id_tracking.isSet; }
    void unsetId_tracking() { m_id_tracking.unset(); }

    bool operator==(const TLTUALogEntry&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("client_stats", 1, self.m_client_stats),
                          tltField("app_info", 2, self.m_app_info),
                          tltField("device_info", 3, self.m_device_info),
                          tltField("misc_info", 4, self.m_misc_info),
                          tltField("activate_msg", 5, self.m_activate_msg),
                          tltField("instant_msgs", 6, self.m_instant_msgs),
                          tltField("sessions", 7, self.m_sessions),
                          tltField("imprint", 8, self.m_imprint),
                          tltField("id_tracking", 9, self.m_id_tracking)};
    }

    TLTField<std::optional<TLTClientStats>> m_client_stats;
    TLTField<std::optional<TLTAppInfo>> m_app_info;
    TLTField<std::optional<TLTDeviceInfo>> m_device_info;
    TLTField<std::optional<TLTMiscInfo>> m_misc_info;
    TLTField<std::optional<TLTActivateMsg>> m_activate_msg;
    TLTField<std::optional<std::vector<TLTInstantMsg>>> m_instant_msgs;
    TLTField<std::optional<std::vector<TLTSession>>> m_sessions;
    TLTField<std::optional<TLTImprint>> m_imprint;
    TLTField<std::optional<TLTIdTracking>> m_id_tracking;
};
