#pragma once

#include <cstdint>
#include <memory>

#include "platform/foundation/Timer.h"

class RefreshControlDelegate;

// A repeating chart refresh timer that tells its delegate which chart to
// refresh. The delegate is not owned: the chart manager owns its controls and
// drops them before it goes. Main thread only.
class HQRefreshControl {
public:
    RefreshControlDelegate* delegate() const { return m_delegate; }
    void setDelegate(RefreshControlDelegate* delegate) { m_delegate = delegate; }
    uint32_t typeOfRefresh() const { return m_typeOfRefresh; }
    const Timer* timer() const { return m_timer.get(); }

    // (Re)starts the timer every `seconds` for chart type 0 or 1.
    void setRefreshTime(int seconds, uint32_t type);
    void stopRefresh();
    void refreshNotify();

private:
    std::unique_ptr<Timer> m_timer;
    uint32_t m_typeOfRefresh = 0;
    RefreshControlDelegate* m_delegate = nullptr;
};
