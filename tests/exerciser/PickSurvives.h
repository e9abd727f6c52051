#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/foundation/WeakLink.h"

class ExerciseRandom;
class PXJYJianCangZYMSVC;
class PXJYPingCangViewController;
class PXJYZhuanRangZYMSVC;
class Screen;
class ScreenDriver;
class SimProcess;
class TextField;
class View;
class ViewController;

// A pick survives, for the exerciser. Its events, after the way to those screens (摘牌 or 转让 from
// the trade home's menu, an order-book commodity on the quote-mode opening form): on the order-book
// delisting screen, a listing of the book pressed and lifted, mostly while the book is asked for
// again (another firm lists, the heartbeat's notice goes out and the answer waits at the exchange
// until the finger has lifted), now and then after another account logged in on the 条件摘牌 tab
// and 摘牌 was tapped again, and now and then taken up; on the quote-mode transfer screen, an
// order-book holding picked (its screen comes up over it), mostly another account logged in there,
// and a quote-mode holding picked, which is handed back. Another firm lists on a book the exchange
// has empty, another device opens a holding the account lacks. The rule once the screen settles:
// while the exchange still holds the pick, the form shows it (the listing ticked with its price,
// the holding's commodity). Owned by the exerciser; main thread.
class PickSurvives {
public:
    struct Hands {
        ScreenDriver& driver;
        Screen& screen;
        SimProcess& exchange;
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(TextField*, const std::string&)> keys;
        std::function<ViewController*()> topScreen;
        // Another account logged in on the switcher of the screen on show; false when none did.
        std::function<bool(ExerciseRandom&)> switchAccount;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    explicit PickSurvives(Hands hands);

    // 0 unless the delisting book, or a transfer screen of quote mode, is on show.
    int weight() const;
    void act(ExerciseRandom& random);

private:
    struct Listing {
        std::string number;
        std::string code;
        int side = 0;  // of the book
        bool refreshed = false;
    };

    PXJYJianCangZYMSVC* delistingScreen() const;
    // The way there: 摘牌 or 转让 from the trade home's menu, an order-book commodity picked on
    // the quote-mode opening form.
    int wayWeight() const;
    void goTowards(ExerciseRandom& random);
    void pickAnOrderBookCommodity();
    PXJYZhuanRangZYMSVC* orderBookTransfer() const;
    void pickAListing(ExerciseRandom& random);
    // Another firm lists on the book's side at the live price, and the book shows it.
    void listOnAnEmptyBook(const WeakLink<PXJYJianCangZYMSVC>& screen);
    std::string listingPath(const std::string& code, int side, const std::string& price) const;
    // The exchange's open listings of a book, in its order.
    nlohmann::json exchangeBook(const std::string& code, int side) const;
    // The side of the listings a form of that side takes up.
    static int bookSideOf(const PXJYJianCangZYMSVC& screen);
    // 条件摘牌, another account on its switcher, and 摘牌 again.
    void switchAside(ExerciseRandom& random);
    void pressAndLift(View* row, const Listing& listing, ExerciseRandom& random);
    // True when the form shows the pick.
    bool checkListing(const WeakLink<PXJYJianCangZYMSVC>& screen, const Listing& listing);
    // A lot of the listing taken up.
    void takeUp(PXJYJianCangZYMSVC& screen);
    void openTheOrderBookScreen(PXJYPingCangViewController& quoteMode);
    void handAHoldingBack(ExerciseRandom& random);
    // The key of a holding summary of that mode the account has, opened elsewhere when none.
    std::string heldKey(bool orderBook);
    // Taps the row of the picker on show whose summary has `key`.
    bool pickSummary(const std::string& key);
    void checkHandedBack(const std::string& key);
    void settle();
    std::string environment() const;
    bool post(const std::string& path);

    Hands m;
};
