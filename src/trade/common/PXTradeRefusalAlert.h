#pragma once

// The alerts of a failed trading request: a refusal or unreadable reply ("提示" with the request
// facade's message) and a transport failure ("请求网络失败"). A failure of a session that has
// ended (a log-out, a lost session, a newer logon) is no longer the screen's to tell: the
// session-lost dialog tells it when it tells that session's loss, and that dialog then stays
// for it; otherwise nothing does. Main thread.

class PXTradeNetworkManger;

class PXTradeRefusalAlert {
public:
    // Whether the failure is told: its session is in force, or the session-lost dialog tells it.
    static bool tells(const PXTradeNetworkManger& failure);
    static void show(PXTradeNetworkManger& manager);
    static void showNetworkFailed(const PXTradeNetworkManger& manager);
};
