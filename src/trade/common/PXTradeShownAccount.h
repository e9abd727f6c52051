#pragma once
// What a trading screen shows, and so may send, belongs to the logon it was filled under. A
// screen that can wait on a stack or under another tab while the account changes (a login, a
// switch or a re-login made anywhere) keeps one: when it shows again, and before it sends what
// it shows, it follows the logon in force, so that after another logon it forgets its rows,
// selection, paging and choices and fills itself for the account now logged in. What a screen
// is handed or fills in while it waits is of the logon in force, and stays. A tap refused after
// another logon leaves the screen as a showing would. A reply to a request made under a logon
// that has ended is taken by no screen. Owned by its screen; main thread.

#include <cstdint>
#include <functional>

class PXTradeNetworkManger;

class PXTradeShownAccount {
public:
    static constexpr const char* kAccountChanged = "账户已切换，请重新操作";

    // forget: the screen empties what it shows; refill: it asks for the account's data again;
    // show: what each showing brings up to the logon in force besides (the switchers' account,
    // a value asked under another logon asked again, figures redrawn from the store).
    // Marks the logon in force as the one the screen is filled under.
    explicit PXTradeShownAccount(std::function<void()> forget, std::function<void()> refill = {},
                                 std::function<void()> show = {});

    // At each showing. Another logon came since the screen was filled: it forgets, and refills,
    // at once or, logged out or with a login chain still running, at the first follow with a
    // login in force. Then the screen's show. True when it forgot.
    bool follow();
    // Called by every entry that hands the screen a value or fills it (a hand-back from a screen
    // above, a pick): what it holds from now on is of the logon in force. What it held of an
    // earlier logon is forgotten first, and its refill waits for the next follow, so that showing
    // again keeps what it was just given.
    void filling();
    // Before a tap sends or acts on what the screen shows: when another logon came since the
    // screen was filled, follows as a showing would, so that the next tap meets only what is the
    // account's now, and says so; the tap then does nothing. True when it refused.
    bool refusesTap();
    // Whether another logon came since the screen was last filled or followed.
    bool ofAnotherLogon() const;
    // Whether the reply may change what a screen shows: not when it answers a request of a
    // logon that has ended, whose account is not the one logged in now.
    static bool takes(const PXTradeNetworkManger& reply);

private:
    // Forgets after another logon and refills when owed; true when it forgot.
    bool keepUp();
    bool forgetIfAnotherLogon();

    std::function<void()> m_forget;
    std::function<void()> m_refill;
    std::function<void()> m_show;
    uint64_t m_epoch;
    bool m_refilled = true;
};
