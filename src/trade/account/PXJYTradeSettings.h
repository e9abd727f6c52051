#pragma once

// The five trading settings of the user defaults as the settings screen offers them: label,
// key, the stored values offered in order, and the texts of a value on the row's button (as
// the screen first shows it and after a choice) and in the drop-down list. Pure; any thread.

#include <string>
#include <vector>

class PXJYTradeSettings {
public:
    struct Row {
        std::string label;
        std::string key;
        std::vector<std::string> choices;
    };

    // Rows 1 to 5: deal alert, price refresh, idle time-out, order prompt, quick-order prompt.
    static const std::vector<Row>& rows();
    static const Row& row(int sing);
    // The button's text when the screen is built.
    static std::string buttonTitle(int sing, const std::string& value);
    // The button's text after the user chose a value.
    static std::string chosenTitle(int sing, const std::string& value);
    // The text of a value in the drop-down list.
    static std::string listText(int sing, const std::string& value);
};
