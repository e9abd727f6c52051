#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SentShownCheck.h"

class Button;
class ExerciseRandom;
class PXFastTradeViewController;
class ScreenDriver;
class SimProcess;
class View;

// A choice the user made on a panel or form (a side, a commodity, a holding) is the one shown
// and sent after its screen shows again, for the exerciser. Its event: a side chosen on the quick
// panel's transfer (opened by the chart's 速摘, both sides held first by another device, then
// 去速转), or what a form on show holds; the screen left by a tab; the holdings changed by
// another device (the holding chosen, or the lots the chosen side closes, closed; or a lot
// opened); the tab back; and now and then the form sent. The rule, once the screen shows again:
// side, commodity and holding shown are the ones chosen, or nothing when the choice vanished
// (but the one-commodity delisting screen, which starts again on the buy side at each
// appearance); a quick panel under the same account stays open, and with nothing left to close
// it refuses the order. That what is sent is what shows, SentShownCheck holds.
// Owned by the exerciser; main thread.
class ChoiceOnReturn {
public:
    // What the exerciser lends: its journalled taps and tab taps (false when the tab bar is not
    // on show), its journal and violations.
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<bool(const std::string&)> tapTab;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    ChoiceOnReturn(ScreenDriver& driver, SimProcess& exchange, const SentShownCheck& forms,
                   Hands hands);

    // 0 unless a form's or panel's sending button is on show, logged in.
    int weight() const;
    void act(ExerciseRandom& random);

private:
    using Reading = SentShownCheck::Reading;

    std::vector<Button*> sendButtons() const;
    View* quickEntry() const;
    std::optional<Reading> readingOf(const Button* send) const;
    // A quick panel on 速摘 turned to 速转 with both sides held, and a side chosen there.
    void chooseASide(PXFastTradeViewController& panel, ExerciseRandom& random);
    bool leaveByATab(std::string& back);
    void selectTab(const std::string& title);
    void changeTheHoldings(const Reading& shown, const std::string& code, ExerciseRandom& random);
    // Waits until the client's holdings of the commodity are the exchange's.
    void awaitHoldings(const std::string& code);
    static bool startsOnBuying(const View* send);
    void compare(const Reading& chosen, const Reading& shown, bool sideResets);
    void send(Button* button, PXFastTradeViewController* panel);
    std::string codeOf(const Reading& shown, const PXFastTradeViewController* panel) const;
    std::string environment() const;
    void post(const std::string& path);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    const SentShownCheck& m_forms;
    Hands m_hands;
};
