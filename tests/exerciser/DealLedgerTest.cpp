#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "DealLedger.h"

namespace {

const DealLedger::Account kFirst{"jys=01&env=01", "100000000000001"};
const DealLedger::Account kSecond{"jys=01&env=01", "100000000000002"};

// The exchange's books as the ledger reads them, changed by the test between checks.
class DealLedgerTest : public ::testing::Test {
protected:
    std::map<DealLedger::Account, DealLedger::Books> books{{kFirst, {}}, {kSecond, {}}};
    DealLedger ledger{{kFirst, kSecond},
                      [this](const DealLedger::Account& account) {
                          const auto found = books.find(account);
                          return found == books.end() ? std::nullopt : std::optional(found->second);
                      },
                      0};
};

TEST_F(DealLedgerTest, shouldCountADealBookedAfterAnAccountLoggedInForTheFirstTime) {
    ledger.check(kFirst, 0);
    books[kFirst].emplace(1012, "zn", 3);
    // The event switches to the second account, never seen logged in; another device buys.
    books[kSecond].emplace(1016, "PT", 3);
    const DealLedger::Outcome outcome = ledger.check(kSecond, 2);
    EXPECT_EQ(outcome.newDeals, 2);
    EXPECT_EQ(outcome.announcedTwice, 0);
}

TEST_F(DealLedgerTest, shouldFindADealAnnouncedTwice) {
    ledger.check(kFirst, 0);
    books[kFirst].emplace(1012, "zn", 3);
    EXPECT_EQ(ledger.check(kFirst, 2).announcedTwice, 1);
}

TEST_F(DealLedgerTest, shouldNotCountTheDealsOfAnAccountThatWasNotLoggedIn) {
    ledger.check(kFirst, 0);
    books[kSecond].emplace(1016, "PT", 3);
    ledger.check(kFirst, 0);
    EXPECT_EQ(ledger.check(kSecond, 1).announcedTwice, 1);
}

// Another account logs on under a form while the first is still logged in: the first account's
// session may announce its deal before the logon replaces it.
TEST_F(DealLedgerTest, shouldLetTheAccountStillLoggedInAnnounceItsDealWhileAnotherLogsOn) {
    ledger.check(kFirst, 0);
    books[kFirst].emplace(1012, "zn", 3);
    ledger.check(kFirst, 0);
    ledger.startFrom(kSecond);
    EXPECT_EQ(ledger.check(kSecond, 1).announcedTwice, 0);
    ledger.check(std::nullopt, 1);
    ledger.startFrom(kFirst);
    books[kFirst].emplace(1013, "zn", 1);
    EXPECT_EQ(ledger.check(kFirst, 3).announcedTwice, 1) << "logged out, nothing was owed";
}

}  // namespace
