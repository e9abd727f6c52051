#include "trade/login/PXTradeHomeRowCell.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/login/PXJYLoginStyle.h"

namespace {
constexpr double kNameWidth = 82.5;
constexpr double kColumnWidth = 80;
constexpr int kColumns = 4;
constexpr int kButtons = 4;
constexpr double kButtonWidth = 72;
constexpr double kButtonGap = 4;
}  // namespace

PXTradeHomeRowCell::PXTradeHomeRowCell(const std::string& reuseIdentifier, double height,
                                       double fontSize, std::function<void(int)> onButton)
    : TableViewCell(Style::Default, reuseIdentifier) {
    setSelectionStyle(SelectionStyle::None);
    setBackgroundColor(PXJYLoginStyle::background());
    double x = 0;
    for (int i = 0; i < kColumns; ++i) {
        const double width = i == 0 ? kNameWidth : kColumnWidth;
        auto label =
            PXJYLoginStyle::label(Rect(x, 0, width, height), "", fontSize, Color::white(0.8));
        label->setTextAlignment(TextAlignment::Center);
        label->setAdjustsFontSizeToFitWidth(true);
        label->setMinimumFontSize(9);
        m_columns.push_back(contentView()->addSubview(std::move(label)));
        x += width;
    }
    for (int i = 0; i < kButtons; ++i) {
        auto button = PXJYLoginStyle::redButton(
            Rect(10 + i * (kButtonWidth + kButtonGap), 45, kButtonWidth, 40), "");
        button->titleLabel()->setFont(PXJYLoginStyle::boldFont(14));
        button->addTarget(TouchUpInside, [onButton, i](Control&) { onButton(i); });
        button->setHidden(true);
        m_buttons.push_back(contentView()->addSubview(std::move(button)));
    }
}

void PXTradeHomeRowCell::setColumns(const std::string& name,
                                    const std::vector<PXTradeHomeModel::Figure>& values) {
    m_columns[0]->setText(name);
    for (size_t i = 0; i + 1 < m_columns.size(); ++i) {
        m_columns[i + 1]->setText(i < values.size() ? values[i].text : "");
        m_columns[i + 1]->setTextColor(i < values.size() ? values[i].color : Color::white(0.8));
    }
}

void PXTradeHomeRowCell::setOrderButtons(const std::vector<OrderButton>& buttons) {
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        Button* button = m_buttons[i];
        button->setHidden(i >= buttons.size());
        if (i >= buttons.size()) {
            continue;
        }
        button->setTitle(buttons[i].title);
        button->setEnabled(buttons[i].enabled);
        button->setBackgroundImage(
            Image::named(buttons[i].enabled ? "anniuhong.png" : "anniu.png").stretchable(5, 5));
    }
}
