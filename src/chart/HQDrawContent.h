#pragma once

#include "platform/ui/View.h"

class HQDrawContentDelegate;

// A transparent drawing layer of a chart view: its content is whatever the
// delegate (the chart view that owns the layer) paints for it. The layer does
// not own its delegate; the owner clears it before it goes. Main thread only.
class HQDrawContent : public View {
public:
    explicit HQDrawContent(const Rect& frame);

    HQDrawContentDelegate* delegate() const { return m_delegate; }
    void setDelegate(HQDrawContentDelegate* delegate) { m_delegate = delegate; }

    void draw(GraphicsContext& context, const Rect& rect) override;

private:
    HQDrawContentDelegate* m_delegate = nullptr;
};
