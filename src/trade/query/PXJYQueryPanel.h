#pragma once

// The detail panel of the query screens: a view the size of the application rectangle, parked
// one width to the right of it, with a 44-point header (back arrow, bold white title, a line
// under it) whose left part takes it back. Built once by its screen, slid in and out, never
// removed. Class operations; main thread.

#include <functional>
#include <string>

class Button;
class Label;
class PXJYSwitchingAccountView;
class View;
struct Rect;

class PXJYQueryPanel {
public:
    static constexpr double kHeaderHeight = 44;

    // A new parked panel added to parent; back runs on a tap of the header's back area.
    static View* create(View& parent, const std::string& title, std::function<void()> back);
    static void show(View& panel);
    static void park(View& panel);
    static bool isShown(const View& panel);
    // The header's title, for panels whose title follows what they show.
    static Label* title(View& panel);
    // A red action button ("anniuhong.png" stretched) with a bold white title, added to parent.
    static Button* addButton(View& parent, const Rect& frame, const std::string& title,
                             std::function<void()> action);
    // A form's account switcher on a screen fixed to one holding: no switching there.
    static void lockSwitcher(PXJYSwitchingAccountView& switcher);
};
