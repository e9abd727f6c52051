#pragma once

#include <memory>
#include <string>

#include "platform/ui/Responder.h"

class Button;
class Event;
struct commodityInfo;

// What the chart manager tells the quote screen that hosts it. Every
// operation is optional, so the defaults do nothing. Main thread only.
class HQMarketChartManagerDelegate {
public:
    virtual ~HQMarketChartManagerDelegate() = default;
    // The commodity name of the wide top bar was tapped: the host opens its commodity list.
    virtual void commodityNameButtonPressed(Button* button) { (void)button; }
    // The back button of the wide top bar was tapped: the host turns back to the normal screen.
    virtual void returnButtonPressedAboutWideScreen() {}
    // The chart now shows this commodity: the host's title and live quote follow it, so that
    // everything on screen names the commodity the chart draws.
    virtual void commodityOnShowChanged(const std::shared_ptr<commodityInfo>& commodity) {
        (void)commodity;
    }
    // A finished load asked for by the user: 0 a K-line reply without bars, 1 time-sharing drawn.
    virtual void RefreshFinish(int kind) { (void)kind; }
    // A finger came down on one of the chart views.
    virtual void drawViewTouchesBegin(const TouchSet& touches, const Event& event) {
        (void)touches;
        (void)event;
    }
};
