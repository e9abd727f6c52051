#pragma once

// The look shared by the trade tab's login, switch and home screens: their colours, the bold
// font, captions, separator lines, the red button, links and the down arrow. Class
// operations; main thread.

#include <memory>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

class Button;
class ImageView;
class Label;
class View;

class PXJYLoginStyle {
public:
    static Color background() { return Color::rgb(41, 41, 51); }
    static Color listBackground() { return Color::rgb(59, 59, 71); }
    static Color listSeparator() { return Color::rgb(52, 53, 61); }
    static Color lightText() { return Color::rgb(204, 204, 204); }
    static Color captionText() { return Color::rgb(132, 132, 132); }
    static Color loggedInText() { return Color::rgb(83, 144, 215); }
    static Color linkText() { return Color::rgb(230, 60, 50); }
    static Font boldFont(double size) { return Font::named("Helvetica-Bold", size); }

    static std::unique_ptr<Label> caption(const Rect& frame, const std::string& text, double size);
    static std::unique_ptr<Label> label(const Rect& frame, const std::string& text, double size,
                                        const Color& color);
    // A 0.4-point black line (alpha 0.4) across the screen at y.
    static std::unique_ptr<View> separator(double y, double width = 320);
    static std::unique_ptr<Button> redButton(const Rect& frame, const std::string& title);
    static std::unique_ptr<Label> note(const Rect& frame, const std::string& text);
    static std::unique_ptr<Button> link(const Rect& frame, const std::string& title);
    // The down arrow "xiasanjiao.png" (16 x 9) ending at right, centred in a 50-point row at y.
    static std::unique_ptr<ImageView> arrow(double right, double rowY);
};
