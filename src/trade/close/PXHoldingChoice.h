#pragma once
// A holding chosen by commodity on a transfer form: the picked summary's commodity and side
// under the account whose session was in force when it was picked. It lasts while that account
// holds that commodity and side; once the holding goes (closed, or another account's session in
// force) the choice is forgotten for good, so a holding opened later under the same commodity
// and side is never taken for it. Owned by the screen hosting the form; main thread.

#include <memory>
#include <string>

class PXJYChiCangHuiZong;
class PXTradeData;

class PXHoldingChoice {
public:
    // Null chooses none.
    void choose(std::shared_ptr<PXJYChiCangHuiZong> summary, const PXTradeData& store);
    void forget();
    // The summary as it was picked (what a hand-over passes on), or null.
    const std::shared_ptr<PXJYChiCangHuiZong>& chosen() const { return m_summary; }
    // The store's present summary of the chosen holding, or null.
    std::shared_ptr<PXJYChiCangHuiZong> current(const PXTradeData& store) const;
    // Forgets a choice whose holding has gone; true when it went at this look.
    bool forgetIfGone(const PXTradeData& store);

private:
    std::shared_ptr<PXJYChiCangHuiZong> m_summary;
    std::string m_account;
};
