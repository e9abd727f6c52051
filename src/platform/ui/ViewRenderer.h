#pragma once

// Paints a view tree with QPainter as it is shown at this moment (animations included):
// background, corner radius, clipping, the view's own drawing, subviews, border.
// Stateless; main thread.

class QPainter;
class View;

class ViewRenderer {
public:
    // Paints `root` placed by its own frame in the painter's coordinates.
    static void render(QPainter& painter, View& root);

private:
    static void renderView(QPainter& painter, View& view);
};
