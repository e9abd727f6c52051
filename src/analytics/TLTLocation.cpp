#include "analytics/TLTLocation.h"

#include <utility>

TLTLocation::TLTLocation(double lat, double lng, int64_t ts) {
    m_lat.set(lat);
    m_lng.set(lng);
    m_ts.set(ts);
}
