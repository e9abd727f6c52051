#pragma once

// The screen adapter: the application's view rectangle below the status bar for the main
// screen's mode. Made at launch and owned by the application delegate. Main thread.

#include "platform/graphics/Geometry.h"

class UIShiPeiClass {
public:
    // Reads the main screen's mode now.
    UIShiPeiClass();

    // (0, 20, 320, 548) on a 640 x 1136 screen, else (0, 20, 320, 460).
    const Rect& APPViewRect() const { return m_appViewRect; }
    bool isFourInch() const { return m_fourInch; }

private:
    bool m_fourInch;
    Rect m_appViewRect;
};
