#pragma once

#include <mutex>

// The last location the application handed in, copied into the next terminate record and then
// cleared. One shared instance for the process; any thread (guarded by its lock).
class TallyStatLocation {
public:
    struct Fix {
        double latitude = 0;
        double longitude = 0;
        double gps_time = 0;  // seconds since 1970
    };

    static TallyStatLocation& sharedInstance();
    // Both values must differ from 0; otherwise a diagnostic line and no change.
    static void setLatitude(double latitude, double longitude);

    Fix fix() const;
    // The fix as it was, leaving 0, 0, 0 behind.
    Fix take();

private:
    TallyStatLocation() = default;

    mutable std::mutex m_mutex;
    Fix m_fix;
};
