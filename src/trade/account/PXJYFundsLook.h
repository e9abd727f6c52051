#pragma once

// The pieces the funds screens build alike: the full-window root view, the white entry field on
// its stretchable background, image buttons and the grey section header. Class operations;
// main thread.

#include <memory>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"

class Button;
class TextField;
class TextFieldDelegate;
class View;

class PXJYFundsLook {
public:
    // Dark, for text on the white field image.
    static Color fieldText() { return Color::white(0.15); }
    static Color labelGrey() { return Color::rgb(132, 132, 132); }

    static std::shared_ptr<View> rootView();
    // A field over the "lashen_x.png" background, both in frame, added to parent.
    static TextField* addField(View& parent, const Rect& frame, TextFieldDelegate* delegate,
                               bool secure);
    // A custom button with a white title over the stretchable image.
    static std::unique_ptr<Button> button(const Rect& frame, const std::string& title,
                                          const std::string& image);
    // A 320 x 25 section header: "  " and the text, grey on RGB (49, 49, 51).
    static std::shared_ptr<View> sectionHeader(const std::string& text);
};
