#pragma once

// The phone's screen: renders the application's windows (key window on top) and a 20-point
// status bar into an image (headless: tests and snapshots) or into a desktop window at a chosen
// scale, whose mouse, wheel and keyboard become touches, scrolling and key presses. Made by
// main or a test; the last one made is Screen::main(). Main thread only.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

class QImage;
class QWindow;

class Screen {
public:
    static constexpr const char* kSnapshotZoneVariable = "VKJY_SNAPSHOT_ZONE";

    explicit Screen(Size size = {320, 568}, double scale = 1);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    static Screen* main();
    // 640 x 1136 pixels is the tall screen (320 x 568 points); anything else the short one.
    static Size sizeForScreenMode(int pixelWidth, int pixelHeight);
    // The size for SystemInfo's current screen mode.
    static Size currentModeSize();

    Size size() const { return m_size; }
    Rect bounds() const { return {0, 0, m_size.width, m_size.height}; }
    double scale() const { return m_scale; }
    bool isStatusBarHidden() const;

    // The status bar shows the minute of the platform's clock (Timer::now()), or of the date a
    // test holds it at (seconds since 1970), so that pictures it compares stay the same while
    // minutes turn; nullopt lets it run again. Main thread.
    static void holdClock(std::optional<double> secondsSince1970);

    QImage renderImage() const;
    // Saves the picture as PNG; with VKJY_SNAPSHOT_ZONE set (a run for one device zone) into
    // a folder of that name beside the file.
    bool saveSnapshot(const std::string& path) const;
    Color colorAt(Point p) const;

    // Input in screen points, to the key window.
    void sendTouches(const std::vector<TouchInput>& touches, double timestamp);
    void sendKey(const std::string& text, Key key, double timestamp);
    // Scrolls the innermost scroll view under the point; false when there is none.
    bool scrollWheel(Point at, double dx, double dy);

    // Opens a desktop window (offscreen when the platform has no display) showing the screen.
    void showWindow(const std::string& title);
    bool isWindowShown() const { return m_desktop != nullptr; }
    // The desktop window, for tests that feed it native input; null until shown.
    QWindow* desktopWindow() const;

    static constexpr double kStatusBarHeight = 20;

private:
    void drawStatusBar(class QPainter& painter) const;

    Size m_size;
    double m_scale;
    struct Desktop;
    std::unique_ptr<Desktop> m_desktop;
};
