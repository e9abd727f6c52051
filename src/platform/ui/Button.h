#pragma once

// A push button: per-state title, title colour, image and background image (normal,
// highlighted, selected, disabled, falling back to normal), image and title centred side by
// side or aligned left or right, target-action. Owned by its superview. Main thread only.

#include <map>
#include <string>

#include "platform/graphics/Image.h"
#include "platform/ui/Control.h"

class ImageView;
class Label;

enum class ContentAlignment { Center, Left, Right };

class Button : public Control {
public:
    enum class Type { Custom, System };

    explicit Button(Type type = Type::Custom);
    explicit Button(const Rect& frame, Type type = Type::Custom);
    static std::unique_ptr<Button> create(Type type, const Rect& frame = {});

    void setTitle(const std::string& title, unsigned state = StateNormal);
    std::string title(unsigned state = StateNormal) const;
    void setTitleColor(const Color& color, unsigned state = StateNormal);
    Color titleColor(unsigned state = StateNormal) const;
    void setImage(const Image& image, unsigned state = StateNormal);
    Image image(unsigned state = StateNormal) const;
    void setBackgroundImage(const Image& image, unsigned state = StateNormal);
    Image backgroundImage(unsigned state = StateNormal) const;

    // What the button shows now.
    std::string currentTitle() const { return title(state()); }
    Color currentTitleColor() const { return titleColor(state()); }
    Image currentImage() const { return image(state()); }
    Image currentBackgroundImage() const { return backgroundImage(state()); }

    Label* titleLabel() const { return m_titleLabel; }
    ImageView* imageView() const { return m_imageView; }
    ContentAlignment contentHorizontalAlignment() const { return m_alignment; }
    void setContentHorizontalAlignment(ContentAlignment alignment);
    const EdgeInsets& titleEdgeInsets() const { return m_titleInsets; }
    void setTitleEdgeInsets(const EdgeInsets& insets);
    const EdgeInsets& imageEdgeInsets() const { return m_imageInsets; }
    void setImageEdgeInsets(const EdgeInsets& insets);

    void setEnabled(bool enabled) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;
    Size sizeThatFits(Size size) const override;

private:
    template <typename T>
    static T lookup(const std::map<unsigned, T>& values, unsigned state, const T& fallback);
    void refresh();

    Type m_type;
    std::map<unsigned, std::string> m_titles;
    std::map<unsigned, Color> m_titleColors;
    std::map<unsigned, Image> m_images;
    std::map<unsigned, Image> m_backgrounds;
    Label* m_titleLabel = nullptr;
    ImageView* m_imageView = nullptr;
    ContentAlignment m_alignment = ContentAlignment::Center;
    EdgeInsets m_titleInsets;
    EdgeInsets m_imageInsets;
};
