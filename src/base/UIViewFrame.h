#pragma once

class View;

// Frame shorthands of the view type used in layout code. Stateless; main thread (views).
class UIViewFrame {
public:
    // y + height of the view's frame.
    static double bottom(const View& view);
    static double height(const View& view);
    static double width(const View& view);
};
