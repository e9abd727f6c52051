#pragma once

#include <string>

#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeTypes.h"

class Button;
class PXJYBankListView;
class PXJYChuRuJinViewController;
class TextField;
class ViewController;

// A logged-in session with the funds screens registered, the heartbeat stopped (so the
// simulator's next-reply controls hit the screen's request and the busy overlay stays until
// the reply) and the simulator's request log cleared. Drives the funds home and its entries.
class FundsScreenTest : public TradeSessionFixture {
protected:
    static constexpr const char* kAccount = "100000000000001";
    static constexpr const char* kFundPassword = "222222";
    static constexpr const char* kBankId = "102";
    static constexpr const char* kBankName = "工商银行";
    static constexpr const char* kThirdPartyName = "模拟银行";

    explicit FundsScreenTest(Size screenSize = {320, 568}) : TradeSessionFixture(screenSize) {}
    void SetUp() override;

    PXJYChuRuJinViewController* openHome();
    // Taps a menu row of the funds home and gives the screen it pushed (null when none).
    ViewController* openEntry(PXJYChuRuJinViewController& home, int tag);
    template <typename T>
    T* openEntryAs(PXJYChuRuJinViewController& home, int tag) {
        return dynamic_cast<T*>(openEntry(home, tag));
    }
    ViewController* topScreen();

    // Runs until the busy overlay is gone.
    bool waitIdle();
    bool waitAlert();
    std::string alertMessage() const;
    // Answers the visible alert with that button and lets it go.
    bool answerAlert(const std::string& button = "确定");

    // Types one character at a time, as a person on the keyboard.
    void typeInto(TextField* field, const std::string& text);
    // Inserts the whole text at once, as a paste.
    void pasteInto(TextField* field, const std::string& text);
    // Opens the bank list with its button and taps the bank of that name.
    bool chooseBank(Button* opener, PXJYBankListView* list, const std::string& name);

    // Another logon, as a login made elsewhere (another tab, a re-login) gives: true when it
    // went through. The simulator's request log starts afresh.
    bool logInAs(const std::string& account);

    int sent(const std::string& name);
    // The REQ of the last request of that name the simulator received.
    JYDict lastRequest(const std::string& name);
    double balance();
    double bankFunds(const std::string& bankId = kBankId);

    void snapshot(const std::string& name);
};
