#pragma once

// The alert of a refused or unreadable trading reply: "提示" with the request facade's message.
// When the facade has already shown its session-lost dialog with that same message (return
// codes 1004 and 10001 while logged in), a second alert would only repeat it, so none is shown.
// Main thread.

class PXTradeNetworkManger;

class PXTradeRefusalAlert {
public:
    static void show(const PXTradeNetworkManger& manager);
};
