#pragma once
// The quote-mode opening screen on its own: a navigation stack in a key window of either phone
// size and a registered trading module whose store holds a few commodities and prices set by
// the test. No server: for the forms' own behaviour and for snapshots of both screen sizes.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"
#include "support/TempHome.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJYJianCangViewController.h"

class OpenFormTest : public ::testing::Test {
protected:
    explicit OpenFormTest(bool fourInch = true);
    ~OpenFormTest() override;

    // A commodity record: price step, trade mode, name.
    void addCommodity(const std::string& code, const std::string& step, const std::string& mode,
                      const std::string& name);
    void setPrices(const std::string& code, double buy, double sell);
    PXJYJianCangViewController* openScreen();
    void pick(PXJianCangFormView& form, const std::string& code);
    std::string alertMessage() const;
    void snapshot(const std::string& name);

    TempHome home;
    Application app;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<ScreenDriver> driver;
    std::unique_ptr<Window> window;
    NavigationController* navigation = nullptr;
    PXTradeHost host;
    std::unique_ptr<PXTradeModule> module;
    PXJYJianCangViewController* opening = nullptr;
};

class SmallScreenFormTest : public OpenFormTest {
protected:
    SmallScreenFormTest() : OpenFormTest(false) {}
};
