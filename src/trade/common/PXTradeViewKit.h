#pragma once

// The look every trading service screen shares: the dark background, the title bar with only
// its back button, bold labels, black row lines, stretchable button and field images, panels
// that slide in from the side. Class operations; main thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/TextLayout.h"

class Label;
class TableView;
class TableViewCell;
class View;
class VKJYNavigationBarView;
class VKJYNavigationBarViewDelegate;

class PXTradeViewKit {
public:
    static Color background() { return Color::rgb(41, 41, 51); }
    static Color separator() { return Color::rgb(52, 53, 61); }
    static Color valueGrey() { return Color::rgb(204, 204, 204); }
    // Text on the light field image "lashen_x.png".
    static Color fieldText() { return Color::rgb(41, 41, 51); }
    // The application's view rectangle below the status bar.
    static Rect appViewRect();
    // Moves a panel to x over 0.2 s, keeping its y and size; touches made meanwhile reach
    // nothing.
    static void slide(View& panel, double x);

    // The named image, stretched between caps of that many points on every side.
    static Image stretchable(const std::string& name, double cap = 5);
    // A "Helvetica-Bold" label on a clear background.
    static std::unique_ptr<Label> label(const Rect& frame, const std::string& text, double size,
                                        const Color& color,
                                        TextAlignment alignment = TextAlignment::Left);
    // A 320 x 44 title bar at y in parent, its menu button and picture hidden.
    static VKJYNavigationBarView* addNavigationBar(View& parent, double y, const std::string& title,
                                                   VKJYNavigationBarViewDelegate* delegate);
    // A black line one point high across parent's width at y.
    static void addLine(View& parent, double y);
    // Form rows 50 points high from top: a white 16-point title at x 15 and a black line under
    // each.
    static void addTitledRows(View& parent, double top, const std::vector<std::string>& titles);
    // The service screens' list look: no scroll indicator, the dark background, dark separators.
    static void styleTable(TableView& table);
    // A reused or new default cell ("Cell") emptied of its earlier content: no selection look,
    // no accessory, clear background.
    static std::shared_ptr<TableViewCell> blankCell(TableView& table);
};
