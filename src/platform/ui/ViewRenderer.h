#pragma once

// Paints a view tree with QPainter as it is shown at this moment (animations included):
// background, corner radius, clipping, the view's own drawing, subviews, border.
// Stateless; main thread.

#include "platform/graphics/Geometry.h"

class QPainter;
class View;

class ViewRenderer {
public:
    // Paints `root` placed by its own frame in the painter's coordinates.
    static void render(QPainter& painter, View& root);
    // True once after a pass in which a view first cleared part of its drawing; that pass
    // painted wrongly and should be repeated (the view now draws in its own layer).
    static bool takeRepaintRequest();

private:
    static void renderView(QPainter& painter, View& view);
    static void paintBody(QPainter& painter, View& view);
    static void fillBackground(QPainter& painter, const View& view, const Rect& bounds);
    static void drawContent(QPainter& painter, View& view, const Rect& bounds);
};
