#include "analytics/TLTTraffic.h"

#include <utility>

TLTTraffic::TLTTraffic(int32_t upload_traffic, int32_t download_traffic) {
    m_upload_traffic.set(upload_traffic);
    m_download_traffic.set(download_traffic);
}
