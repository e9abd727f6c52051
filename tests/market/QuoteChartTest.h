#pragma once

#include "MarketFixture.h"

class Button;
class HQDrawManager;
class HQMarketChartManager;
class VariableAboutDevice;
class VKJYMarketChartController;

// The quote screen of the first listed commodity with its time-sharing chart drawn, for tests
// that drive its charts by touches. Each test opens it with openQuoteChart(); the screen goes
// back to the list after the test, and the requests still out end.
class QuoteChartTest : public MarketTest {
protected:
    explicit QuoteChartTest(Size screenSize) : MarketTest(screenSize) {}

    void TearDown() override;

    void openQuoteChart();
    HQMarketChartManager* chart() const;
    HQDrawManager* fenShi() const;
    HQDrawManager* kLine() const;
    VariableAboutDevice& layout() const;
    // The visible period or chart-kind button of that tag, or nothing.
    Button* periodButton(int tag) const;
    void turnWide();
    // Back to the normal screen by the wide top bar's back button.
    void turnBack();

    VKJYMarketChartController* screen = nullptr;
};
