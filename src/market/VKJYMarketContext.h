#pragma once

// What the market screens read of the application: the view rectangle, the directory's names
// and whether exchange names are left out of titles. Safe without an application delegate (a
// 4-inch rectangle, no names). Class operations; main thread.

#include <string>

#include "shell/VKJYMarketDirectoryNames.h"
#include "platform/graphics/Geometry.h"

class View;

class VKJYMarketContext {
public:
    static Rect appViewRect();
    static bool isSmallScreen();
    static VKJYMarketDirectoryNames directoryNames();
    // The application properties say "iOSPlatform" = "2".
    static bool hidesExchangeNames();
    static bool tradeLogin();
    static std::string vkAppName();
    static bool isBelowSeven();
    // The all-white "提示" alert with one "确定" button.
    static void showNotice(const std::string& message);
    // Fades the toast in, then out, then hides it; a toast that goes meanwhile is left alone.
    static void fadeInAndOut(View* toast, double seconds);
};
