#pragma once

// The alert of a refused or unreadable trading reply: "提示" with the request facade's message.
// When the facade has already shown its session-lost dialog for that reply (return codes 1004
// and 10001 under the session in force), a second alert would only repeat it, so none is shown;
// every other refusal, a stale session's included, gets exactly this one. Main thread.

class PXTradeNetworkManger;

class PXTradeRefusalAlert {
public:
    static void show(const PXTradeNetworkManger& manager);
};
