#pragma once
// The caption and value rows of one holding ticket and of one holding summary, as their record
// lists show them: money and stop levels in two decimals, prices of the live quote in the
// commodity's decimals, "--" for whatever is missing. Pure functions over the trading store
// handed in; main thread.

#include <string>
#include <vector>

class PXJYChiCangHuiZong;
class PXTradeData;

class PXJYChiCangRecordRows {
public:
    static const std::vector<std::string>& mingXiTitles();
    static const std::vector<std::string>& huiZongTitles();

    // The ticket's rows; only the number when the store no longer holds it.
    static std::vector<std::string> mingXiValues(const PXTradeData& store,
                                                 const std::string& number);
    // The summary's rows, with the live prices and figures the store holds for it.
    static std::vector<std::string> huiZongValues(const PXTradeData& store,
                                                  const PXJYChiCangHuiZong& summary);
    // "%.2f" of a figure; "--" when it is missing.
    static std::string money(const std::string& value);
    // A stop level as shown: "--" when none is set.
    static std::string stopLevel(const std::string& value);
};
