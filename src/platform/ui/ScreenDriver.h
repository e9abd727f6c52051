#pragma once

// Drives a Screen the way a person would, for tests: finds views by tag, class or text, taps,
// drags, long-presses, pinches, types, presses keypad keys, reads and answers the visible
// alert, runs the loop until a condition holds and saves PNG snapshots. Touches go through
// Application::sendEvent like real input. Each gesture gets its own time stamps, so separate
// taps never count as a double tap. A touch made during a screen transition reaches nothing,
// so each gesture first lets a transition under way finish (5 s at most); the later taps of
// tapAt(point, taps) do not wait. Main thread only.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/IndexPath.h"
#include "platform/ui/Touch.h"

class AlertView;
class Screen;
class TableView;
class View;
class Window;

class ScreenDriver {
public:
    explicit ScreenDriver(Screen& screen);

    Window* window() const;
    // Every view of the key window, back to front.
    std::vector<View*> allViews() const;
    // Shown: in the key window, no hidden or transparent ancestor, some part on screen and
    // inside every clipping ancestor.
    bool isVisible(const View* view) const;
    // The part of the view that can be seen, in window points.
    Rect visibleRect(const View* view) const;
    // A tap at the middle of its visible part would land on the view or inside it.
    bool reaches(const View* view) const;
    View* viewWithTag(int tag) const;
    // The front-most visible view showing exactly this text (label, button title, field text or
    // placeholder).
    View* viewWithText(const std::string& text) const;
    std::vector<View*> viewsWithText(const std::string& text) const;
    template <typename T>
    std::vector<T*> viewsOfClass() const {
        std::vector<T*> result;
        for (View* v : allViews()) {
            if (auto* t = dynamic_cast<T*>(v)) {
                result.push_back(t);
            }
        }
        return result;
    }
    template <typename T>
    std::vector<T*> visibleViewsOfClass() const {
        std::vector<T*> result;
        for (T* t : viewsOfClass<T>()) {
            if (isVisible(t)) {
                result.push_back(t);
            }
        }
        return result;
    }
    // The text a view shows, empty for views without text.
    static std::string textOf(const View* view);
    // All the texts visible on screen, back to front.
    std::vector<std::string> visibleTexts() const;

    // Taps the centre of the view's visible part; false when nothing of it can be hit there.
    bool tap(View* view);
    bool tapText(const std::string& text);
    void tapAt(Point point, int taps = 1);
    // Scrolls the row into view if needed, then taps the middle of it.
    bool tapRow(TableView& table, IndexPath indexPath);
    // Scrolls the row into view if needed; where tapRow taps it, none when it cannot be seen.
    std::optional<Point> rowPoint(TableView& table, IndexPath indexPath);
    void drag(Point from, Point to, int steps = 10, double seconds = 0.3);
    void swipe(Point from, Point to);
    // As drag, but the system takes the finger away at `to` (an incoming call, say): the touch
    // ends cancelled.
    void dragAndCancel(Point from, Point to, int steps = 10, double seconds = 0.3);
    // Holds still for `seconds`, running the loop meanwhile; `beforeLifting` runs once the
    // finger has been held, just before it lifts.
    void longPress(Point point, double seconds = 0.8,
                   const std::function<void()>& beforeLifting = {});
    void pinch(Point center, double startDistance, double endDistance, int steps = 8);

    // Keyboard input to the first responder.
    void typeText(const std::string& text);
    void pressBackspace();
    void pressReturn();
    // Taps the key with this title on the keyboard (system keyboard or a custom input view).
    bool pressKey(const std::string& title);

    AlertView* visibleAlert() const;
    bool tapAlertButton(const std::string& title);

    // Waits for the condition; `seconds` of wall time only guard against a hang.
    bool runUntil(const std::function<bool()>& condition, double seconds = 5);
    // Lets `seconds` pass on the timers' clock, or less if the condition comes true first;
    // returns whether it did. For a span in which nothing is to happen.
    bool runFor(double seconds, const std::function<bool()>& condition = {});
    // Lets posted work and finished animations run.
    void settle();
    bool saveSnapshot(const std::string& path) const;
    Color colorAt(Point point) const;

    // The time stamp of the next touch: `gap` seconds after the last one, or now when later.
    // Touches sent straight to the screen take it to keep the driver's clock in step.
    double nextTime(double gap = 0.5);

private:
    void strokeEnding(TouchPhase end, Point from, Point to, int steps, double seconds);
    Screen& m_screen;
    double m_clock = 0;
};
