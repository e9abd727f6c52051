#pragma once

#include <string>
#include <vector>

#include "support/session/ShellFixture.h"

class Label;
class VKJYMarketChartController;
class VKJYMarketUIViewController;
class ViewController;

// The client with the market list as its first tab, against the simulated exchange.
class MarketTest : public ShellTest {
protected:
    explicit MarketTest(Size screenSize = {320, 568});
    ~MarketTest() override;

    // Launches with the guide already seen and no help overlays, then waits for the list.
    void launchToList(const std::string& vkAppName = "VKDZ");
    // The same launch, waiting only for the tab bar: the list may fail to come.
    bool launchToTabBar(const std::string& vkAppName = "VKDZ");
    // Ends the running client as a restart does: the delegate and its window go.
    void quit();
    VKJYMarketUIViewController* market() const;
    bool runUntilListShows(double seconds = 15);
    bool listShows() const;
    // "exchange|environment" of each section's header, top to bottom.
    std::vector<std::string> sectionTitles() const;
    // Commodity names of a section's rows.
    std::vector<std::string> rowNames(int section) const;
    std::string priceText(int section, int row) const;
    std::vector<std::string> tileNames() const;
    // Swipes the row left and taps the button the swipe shows; its title. Without settling, the
    // toast it brings is still fading when it returns.
    std::string swipeAndPress(int section, int row, bool settle = true);
    bool runUntilPricesMove(int section, int row, double seconds = 10);
    void advanceSimulator(int seconds);
    // The list's toast labels, oldest first, and the text of the newest.
    std::vector<Label*> toastLabels() const;
    std::string toastText() const;
    static void writeWatchFile(const std::vector<std::string>& keys);
    // The screen on top of the market tab's stack.
    ViewController* topScreen() const;
    // Taps the row and waits until the quote screen shows its first live quote.
    VKJYMarketChartController* openQuoteScreen(int section, int row);
};
