#include "platform/ui/TableViewCell.h"

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace {
constexpr double kTextInset = 15;
}

TableViewCell::TableViewCell(Style style, const std::string& reuseIdentifier)
    : m_style(style), m_reuseIdentifier(reuseIdentifier) {
    setBackgroundColor(Color::whiteColor());
    m_contentView = addSubview(std::make_unique<View>());
    auto separator = std::make_unique<View>();
    separator->setUserInteractionEnabled(false);
    separator->setHidden(true);
    m_separator = addSubview(std::move(separator));
}

TableViewCell::~TableViewCell() = default;

Label* TableViewCell::textLabel() {
    if (!m_textLabel) {
        m_textLabel = std::make_shared<Label>();
        m_textLabel->setFont(Font::boldSystem(18));
        m_contentView->addSubview(m_textLabel);
        setNeedsLayout();
    }
    return m_textLabel.get();
}

Label* TableViewCell::detailTextLabel() {
    if (!m_detailLabel) {
        m_detailLabel = std::make_shared<Label>();
        m_detailLabel->setFont(Font::system(14));
        m_detailLabel->setTextColor(Color::grayColor());
        if (m_style == Style::Value1) {
            m_detailLabel->setTextAlignment(TextAlignment::Right);
        }
        m_contentView->addSubview(m_detailLabel);
        setNeedsLayout();
    }
    return m_detailLabel.get();
}

ImageView* TableViewCell::imageView() {
    if (!m_imageView) {
        m_imageView = std::make_shared<ImageView>();
        m_contentView->addSubview(m_imageView);
        setNeedsLayout();
    }
    return m_imageView.get();
}

void TableViewCell::setSelectionStyle(SelectionStyle style) {
    m_selectionStyle = style;
    setNeedsDisplay();
}

void TableViewCell::setAccessoryType(AccessoryType type) {
    m_accessory = type;
    setNeedsLayout();
}

void TableViewCell::setSelected(bool selected) {
    m_selected = selected;
    setNeedsLayout();
}

void TableViewCell::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    setNeedsLayout();
}

void TableViewCell::setSelectedBackgroundView(std::shared_ptr<View> view) {
    if (m_selectedBackgroundView) {
        m_selectedBackgroundView->removeFromSuperview();
    }
    m_selectedBackgroundView = std::move(view);
    setNeedsLayout();
}

void TableViewCell::setBackgroundView(std::shared_ptr<View> view) {
    if (m_backgroundView) {
        m_backgroundView->removeFromSuperview();
    }
    m_backgroundView = std::move(view);
    if (m_backgroundView) {
        insertSubview(m_backgroundView, 0);
    }
    setNeedsLayout();
}

Responder* TableViewCell::nextResponder() const {
    Responder* up = View::nextResponder();
    return up ? up : m_shownBy.get();
}

void TableViewCell::prepareForReuse() {
    setSelected(false);
    setHighlighted(false);
    hideDeleteButton();
}

void TableViewCell::setSeparator(bool shown, const Color& color) {
    m_separator->setHidden(!shown);
    m_separator->setBackgroundColor(color);
}

void TableViewCell::showDeleteButton(const std::string& title, std::function<void()> action) {
    hideDeleteButton();
    auto button = Button::create(Button::Type::Custom);
    button->setTitle(title);
    button->setTitleColor(Color::whiteColor());
    button->setBackgroundColor(Color::rgb(255, 59, 48));
    button->titleLabel()->setFont(Font::system(15));
    button->addTarget(TouchUpInside, [action](Control&) { action(); });
    m_deleteButton = addSubview(std::move(button));
    setNeedsLayout();
}

void TableViewCell::hideDeleteButton() {
    if (m_deleteButton) {
        m_deleteButton->removeFromSuperview();
        m_deleteButton = nullptr;
        setNeedsLayout();
    }
}

bool TableViewCell::showsSelection() const {
    return (m_selected || m_highlighted) && m_selectionStyle != SelectionStyle::None;
}

void TableViewCell::layoutSubviews() {
    Rect b = bounds();
    if (m_backgroundView) {
        m_backgroundView->setFrame(b);
    }
    if (m_selectedBackgroundView) {
        if (showsSelection()) {
            m_selectedBackgroundView->setFrame(b);
            insertSubviewBelow(m_selectedBackgroundView, m_contentView);
        } else {
            m_selectedBackgroundView->removeFromSuperview();
        }
    }
    double accessory = m_accessory == AccessoryType::None ? 0 : kAccessoryWidth;
    m_contentView->setFrame({0, 0, b.width - accessory, b.height});
    Rect c = m_contentView->bounds();
    double x = kTextInset;
    if (m_imageView && !m_imageView->image().isEmpty()) {
        Size s = m_imageView->image().size();
        m_imageView->setFrame({x, (c.height - s.height) / 2, s.width, s.height});
        x += s.width + kTextInset;
    }
    double width = std::max(0.0, c.width - x - kTextInset);
    if (m_style == Style::Subtitle && m_detailLabel) {
        if (m_textLabel) {
            m_textLabel->setFrame({x, c.height * 0.1, width, c.height * 0.45});
        }
        m_detailLabel->setFrame({x, c.height * 0.55, width, c.height * 0.35});
    } else {
        if (m_textLabel) {
            m_textLabel->setFrame({x, 0, width, c.height});
        }
        if (m_detailLabel) {
            m_detailLabel->setFrame({x, 0, width, c.height});
        }
    }
    m_separator->setFrame({0, b.height - 1, b.width, 1});
    bringSubviewToFront(m_separator);
    if (m_deleteButton) {
        double w = m_deleteButton->titleLabel()->sizeThatFits({0, 0}).width + 30;
        m_deleteButton->setFrame({b.width - w, 0, w, b.height - 1});
        bringSubviewToFront(m_deleteButton);
    }
}

void TableViewCell::draw(GraphicsContext& context, const Rect&) {
    Rect b = bounds();
    if (showsSelection() && !m_selectedBackgroundView) {
        context.setFillColor(m_selectionStyle == SelectionStyle::Gray ? Color::white(0.85)
                                                                      : Color::rgb(0, 122, 255));
        context.fillRect(b);
    }
    double cx = b.maxX() - kAccessoryWidth / 2;
    double cy = b.midY();
    context.setLineWidth(2);
    if (m_accessory == AccessoryType::DisclosureIndicator) {
        context.setStrokeColor(Color::white(0.7));
        context.beginPath();
        context.moveTo({cx - 3, cy - 6});
        context.addLineTo({cx + 3, cy});
        context.addLineTo({cx - 3, cy + 6});
        context.strokePath();
    } else if (m_accessory == AccessoryType::Checkmark) {
        context.setStrokeColor(Color::rgb(0, 122, 255));
        context.beginPath();
        context.moveTo({cx - 7, cy});
        context.addLineTo({cx - 2, cy + 5});
        context.addLineTo({cx + 7, cy - 6});
        context.strokePath();
    }
}
