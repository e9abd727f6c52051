#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// Traffic counters of a session (never filled by this client).
// Wire struct "Traffic"; one value and one "is set" flag per field. Plain value, any thread.
class TLTTraffic : public TLTRecord<TLTTraffic> {
public:
    static constexpr const char* kStructName = "Traffic";
    static constexpr const char* kClassName = "TLTTraffic";

    TLTTraffic() = default;
    // Sets and flags every field.
    TLTTraffic(int32_t upload_traffic, int32_t download_traffic);

    int32_t upload_traffic() const { return m_upload_traffic.value; }
    void setUpload_traffic(int32_t value) { m_upload_traffic.set(value); }
    bool upload_trafficIsSet() const { return m_upload_traffic.isSet; }
    void unsetUpload_traffic() { m_upload_traffic.unset(); }

    int32_t download_traffic() const { return m_download_traffic.value; }
    void setDownload_traffic(int32_t value) { m_download_traffic.set(value); }
    bool download_trafficIsSet() const { return m_download_traffic.isSet; }
    void unsetDownload_traffic() { m_download_traffic.unset(); }

    bool operator==(const TLTTraffic&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("upload_traffic", 1, self.m_upload_traffic),
                          tltField("download_traffic", 2, self.m_download_traffic)};
    }

    TLTField<int32_t> m_upload_traffic;
    TLTField<int32_t> m_download_traffic;
};
