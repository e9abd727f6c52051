#pragma once

// One row of a table: a content view for the row's own subviews, the default text label,
// detail label and image, selection and highlight, accessory (disclosure indicator, check
// mark), a separator line at the bottom and the swipe-to-delete button while the table shows
// it. Shared between the table (while shown or queued for reuse) and its data source.
// Main thread only.

#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"

class Button;
class ImageView;
class Label;

class TableViewCell : public View {
public:
    enum class Style { Default, Value1, Subtitle };
    enum class SelectionStyle { None, Blue, Gray };
    enum class AccessoryType { None, DisclosureIndicator, Checkmark };

    explicit TableViewCell(Style style = Style::Default, const std::string& reuseIdentifier = "");
    ~TableViewCell() override;

    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }
    View* contentView() const { return m_contentView; }
    // Made on first use and placed in the content view.
    Label* textLabel();
    Label* detailTextLabel();
    ImageView* imageView();

    SelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(SelectionStyle style);
    AccessoryType accessoryType() const { return m_accessory; }
    void setAccessoryType(AccessoryType type);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool highlighted);
    void setSelectedBackgroundView(std::shared_ptr<View> view);
    void setBackgroundView(std::shared_ptr<View> view);

    // Called before the table hands the cell out again.
    virtual void prepareForReuse();

    // Set by the table.
    void setSeparator(bool shown, const Color& color);
    void showDeleteButton(const std::string& title, std::function<void()> action);
    void hideDeleteButton();
    Button* deleteButton() const { return m_deleteButton; }
    // The table that shows the cell: a touch that began on it still reaches that table once a
    // reload took the cell off the screen (the row under the finger went).
    void setShownBy(Responder* table) { m_shownBy = table; }
    Responder* nextResponder() const override;

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;

    static constexpr double kAccessoryWidth = 33;

private:
    bool showsSelection() const;

    Style m_style;
    std::string m_reuseIdentifier;
    View* m_contentView = nullptr;
    View* m_separator = nullptr;
    std::shared_ptr<Label> m_textLabel;
    std::shared_ptr<Label> m_detailLabel;
    std::shared_ptr<ImageView> m_imageView;
    std::shared_ptr<View> m_backgroundView;
    std::shared_ptr<View> m_selectedBackgroundView;
    SelectionStyle m_selectionStyle = SelectionStyle::Blue;
    AccessoryType m_accessory = AccessoryType::None;
    bool m_selected = false;
    bool m_highlighted = false;
    Button* m_deleteButton = nullptr;
    WeakLink<Responder> m_shownBy;
};
