#pragma once

// The header of an account's section on the trade home: the exchange and environment band where
// they change, then the account row with its switch button (tagged with the section). Made once
// and filled again on every reload, so the switch button under a finger outlives a price
// refresh. Shared between the home's table and the home; main thread.

#include <functional>

#include "platform/ui/TableViewHeaderFooterView.h"
#include "trade/login/PXJYSavedAccounts.h"

class Button;
class ImageView;
class Label;

class PXTradeHomeAccountHeader : public TableViewHeaderFooterView {
public:
    static constexpr const char* kReuseIdentifier = "account";

    // `onSwitch` hears the section of the tapped switch button.
    PXTradeHomeAccountHeader(double width, std::function<void(int)> onSwitch);

    void show(const PXJYSavedAccount& account, int section, double height, bool loggedIn);

private:
    ImageView* m_band = nullptr;
    Label* m_platform = nullptr;
    Label* m_environment = nullptr;
    Label* m_caption = nullptr;
    Label* m_name = nullptr;
    ImageView* m_arrow = nullptr;
    Button* m_switch = nullptr;
    View* m_separator = nullptr;
};
