#include "base/UIViewFrame.h"

#include "platform/ui/View.h"

double UIViewFrame::bottom(const View& view) {
    const Rect frame = view.frame();
    return frame.y + frame.height;
}

double UIViewFrame::height(const View& view) {
    return view.frame().height;
}

double UIViewFrame::width(const View& view) {
    return view.frame().width;
}
