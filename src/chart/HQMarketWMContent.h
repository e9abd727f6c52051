#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"

struct YiKouJia;
struct fenbi;
struct wuDang;

// The texts of one row of the book or trade panel: level number or trade time (the exchange's
// "HH:mm"), price (coloured against yesterday's close) and volume. "-" in every column for an
// empty row, whose price is white in the book and keeps the label's colour in the trades.
struct HQWMRowTexts {
    std::string first;
    std::string price;
    std::optional<Color> priceColor = Color::whiteColor();
    std::string volume;
};

// What the five-level book and trade panel shows, built from the live quotes of one commodity:
// the last quote, its book (levels of price 0 dropped, each side highest first) and the ten
// newest trades, oldest first. A quote of another commodity starts a new trade list; a quote
// that carries no book keeps the book already held, since the server only sends a book when it
// changed. The quotes handed in are never changed. Plain value; main thread.
class HQMarketWMContent {
public:
    static constexpr size_t kShownTrades = 10;
    static constexpr int kBookLevels = 5;

    HQMarketWMContent();

    // Merges one quote; a null quote changes nothing.
    void refreshAllTableView(const std::shared_ptr<YiKouJia>& quote);

    const std::shared_ptr<YiKouJia>& yiKouJia() const { return m_yiKouJia; }
    const wuDang& wuDangData() const { return *m_wuDangData; }
    const std::vector<std::shared_ptr<fenbi>>& mingXiArray() const { return m_mingXiArray; }

    // Row r from the top of the sell side (level 5 at the top, the lowest ask at the bottom),
    // of the buy side (the highest bid at the top) and of the trades (oldest of the ten first).
    HQWMRowTexts sellRow(int row) const;
    HQWMRowTexts buyRow(int row) const;
    HQWMRowTexts tradeRow(int row) const;

private:
    void takeBook(const YiKouJia& quote);
    void takeTrades(const YiKouJia& quote);
    std::string priceText(double price) const;
    Color priceColor(double price) const;

    std::shared_ptr<YiKouJia> m_yiKouJia;
    std::shared_ptr<wuDang> m_wuDangData;
    std::vector<std::shared_ptr<fenbi>> m_mingXiArray;
};
