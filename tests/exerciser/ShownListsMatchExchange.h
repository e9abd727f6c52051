#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

class PXJYJianCangZYMSVC;
class ScreenDriver;
class SimProcess;
class ViewController;

// A book at rest shows the exchange's records, for the exerciser. After every event, while the
// order-book delisting screen is on top with its 摘牌 book in front, logged in, with no alert,
// overlay or request on the line: the book lists the exchange's open listings of the side the
// form takes up for the commodity chosen (every firm's, in the exchange's price order), the first
// five of them, with the same numbers, prices and lots left; so never empty while the exchange has
// some. A change the client learns from the heartbeat has a few beats to show. A fault thrown or
// an alert seen (a failure may have been told) excuses the next book on show until it shows the
// exchange's, or another commodity, side or account asks for another. One owner (the exerciser);
// main thread.
class ShownListsMatchExchange {
public:
    struct Hands {
        std::function<ViewController*()> topScreen;
        std::function<void(const std::string&)> violation;
    };

    ShownListsMatchExchange(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    // A fault was thrown, or the heartbeat slowed: a failure may be told, a refresh come late.
    void disturbed() {
        m_excused = true;
        m_excusedBook.reset();
    }
    void check();

private:
    // What a book is asked for by: a change of any part asks again.
    struct BookKey {
        const PXJYJianCangZYMSVC* screen = nullptr;
        std::string code;
        int side = 0;
        std::string user;
        bool operator==(const BookKey&) const = default;
    };
    static BookKey keyOf(const PXJYJianCangZYMSVC& screen);
    // The delisting screen whose book is on show, at rest; else null.
    PXJYJianCangZYMSVC* bookAtRest() const;
    // The exchange's rows for the book on show; an empty array when it did not answer.
    nlohmann::json exchangeRows(const PXJYJianCangZYMSVC& screen) const;
    // How the book on show differs from `rows`; empty when it shows them.
    static std::string difference(const PXJYJianCangZYMSVC& screen, const nlohmann::json& rows);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    bool m_excused = false;
    // The book the excuse holds for, once one is on show; another book was asked for afresh.
    std::optional<BookKey> m_excusedBook;
};
