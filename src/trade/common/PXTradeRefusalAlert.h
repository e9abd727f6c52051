#pragma once

// The alert of a refused or unreadable trading reply: "提示" with the request facade's message.
// When the facade's session-lost dialog tells that reply's failure (put up for it under the
// session in force, or already up for the loss of the reply's session), a second alert would only
// repeat it, so none is shown and that dialog stays for it; every other refusal, that of a session
// a newer logon replaced included, gets exactly this one. Main thread.

class PXTradeNetworkManger;

class PXTradeRefusalAlert {
public:
    static void show(PXTradeNetworkManger& manager);
};
