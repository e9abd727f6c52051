#include <gtest/gtest.h>

#include "ConfirmationLedger.h"

namespace {

// One step of a run: a confirming tap, a quiet client (with its lateness) or a check of the
// simulator's totals that should find this many unconfirmed requests.
struct Step {
    enum Kind { Tap, Quiet, Check } kind;
    double time;
    std::map<std::string, int> totals = {};
    double lateness = 0;
    size_t unconfirmed = 0;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

class ConfirmationLedgerTest : public ::testing::TestWithParam<Case> {};

TEST_P(ConfirmationLedgerTest, shouldCountRequestsWithoutATapOfTheirOwn) {
    ConfirmationLedger ledger({"order_s", "money_transfer"});
    for (size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step& step = GetParam().steps[i];
        switch (step.kind) {
            case Step::Tap:
                ledger.confirmed(step.time);
                break;
            case Step::Quiet:
                ledger.quiet(step.time, step.lateness);
                break;
            case Step::Check:
                EXPECT_EQ(ledger.received(step.totals, step.time).size(), step.unconfirmed)
                    << "step " << i;
                break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ConfirmationLedgerTest,
    ::testing::Values(
        Case{"oneTapOneOrder", {{Step::Tap, 1}, {Step::Check, 2, {{"order_s", 1}}}}},
        Case{"oneTapTwoOrders", {{Step::Tap, 1}, {Step::Check, 2, {{"order_s", 2}}, 0, 1}}},
        Case{"oneTapAnOrderAndATransfer",
             {{Step::Tap, 1}, {Step::Check, 2, {{"order_s", 1}, {"money_transfer", 1}}}}},
        Case{"anOrderWithoutATap", {{Step::Check, 2, {{"order_s", 1}}, 0, 1}}},
        Case{"twoTapsTwoOrders",
             {{Step::Tap, 1}, {Step::Tap, 2}, {Step::Check, 3, {{"order_s", 2}}}}},
        Case{"anOrderAfterTheClientWentQuiet",
             {{Step::Tap, 1},
              {Step::Check, 2},
              {Step::Quiet, 2},
              {Step::Check, 3},
              {Step::Check, 4, {{"order_s", 1}}, 0, 1}}},
        Case{"anOrderHeldUpByAStalledLine",
             {{Step::Tap, 1},
              {Step::Quiet, 2, {}, 30},
              {Step::Check, 12},
              {Step::Check, 20, {{"order_s", 1}}}}},
        Case{"aSecondOrderLongAfterTheFirst",
             {{Step::Tap, 1},
              {Step::Check, 2, {{"order_s", 1}}},
              {Step::Quiet, 2},
              {Step::Check, 3, {{"order_s", 1}}},
              {Step::Check, 9, {{"order_s", 2}}, 0, 1}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
