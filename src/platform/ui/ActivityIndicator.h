#pragma once

// A spinning wheel of twelve spokes (white, large white or grey), hidden while stopped unless
// told otherwise. Takes no touches. Owned by its superview. Main thread only.

#include <memory>

#include "platform/ui/View.h"

class Timer;

class ActivityIndicator : public View {
public:
    enum class Style { WhiteLarge, White, Gray };

    explicit ActivityIndicator(Style style = Style::White);
    ~ActivityIndicator() override;

    Style style() const { return m_style; }
    void setStyle(Style style);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return m_animating; }
    bool hidesWhenStopped() const { return m_hidesWhenStopped; }
    void setHidesWhenStopped(bool hides);
    void setColor(const Color& color);

    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;

private:
    Style m_style;
    bool m_animating = false;
    bool m_hidesWhenStopped = true;
    Color m_color;
    std::unique_ptr<Timer> m_spin;
};
