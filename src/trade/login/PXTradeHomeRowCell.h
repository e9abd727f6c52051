#pragma once

// A row of the trade home's list in four columns (the name, then three values) and, on an opened
// holdings row, its order buttons. Made once per reuse identifier and filled again on every
// reload, so the views under a finger outlive a price refresh. Shared between the home's table
// and the home; main thread.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/TableViewCell.h"
#include "trade/login/PXTradeHomeModel.h"

class Button;
class Label;

class PXTradeHomeRowCell : public TableViewCell {
public:
    struct OrderButton {
        std::string title;
        bool enabled = true;
    };

    // `height` and `fontSize` are the row's; `onButton` hears an order button's position (0-3).
    PXTradeHomeRowCell(const std::string& reuseIdentifier, double height, double fontSize,
                       std::function<void(int)> onButton);

    void setColumns(const std::string& name, const std::vector<PXTradeHomeModel::Figure>& values);
    // None hides the buttons.
    void setOrderButtons(const std::vector<OrderButton>& buttons);

private:
    std::vector<Label*> m_columns;
    std::vector<Button*> m_buttons;
};
