#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

// An application with a 320 x 568 screen and a key window; animations finish at once unless a
// test turns them back on.
class UiTest : public ::testing::Test {
protected:
    UiTest() : window(std::make_unique<Window>(screen.bounds())), driver(screen) {
        View::setAnimationSpeed(0);
        window->makeKeyAndVisible();
    }
    ~UiTest() override {
        driver.settle();
        View::setAnimationSpeed(1);
    }

    // A plain view added to the window.
    template <typename T>
    T* add(std::unique_ptr<T> view) {
        return window->addSubview(std::move(view));
    }

    static bool near(const Color& c, int r, int g, int b) {
        return std::abs(c.red255() - r) <= 2 && std::abs(c.green255() - g) <= 2 &&
               std::abs(c.blue255() - b) <= 2;
    }

    Application app;
    Screen screen{{320, 568}, 1};
    std::unique_ptr<Window> window;
    ScreenDriver driver;
};

// Records the calls a test wants to see in order.
struct CallLog {
    std::vector<std::string> calls;
    void add(const std::string& call) { calls.push_back(call); }
};
