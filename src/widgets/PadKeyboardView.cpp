#include "widgets/PadKeyboardView.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "widgets/PadKeyboardBackspaceIcon.h"

namespace {

constexpr int kColumns = 3;
constexpr int kRows = 4;
constexpr double kGap = 1;
constexpr int kSpecialKeyIndex = 9;
constexpr int kZeroKeyIndex = 10;
constexpr int kBackspaceKeyIndex = 11;
constexpr Size kBackspaceIconSize{30, 20};

const Color kPadColor = Color::rgb(41, 41, 51);
const Color kDigitKeyColor = Color::rgb(74, 75, 88);
const Color kFunctionKeyColor = Color::rgb(56, 57, 68);
const Color kPressedKeyColor = Color::rgb(110, 112, 128);
const Color kKeyTextColor = Color::whiteColor();

// The key that types this character, or -1.
int digitKeyIndex(char c) {
    if (c == '0') {
        return kZeroKeyIndex;
    }
    return c >= '1' && c <= '9' ? c - '1' : -1;
}

}  // namespace

PadKeyboardView::PadKeyboardView(const Rect& frame) : View(frame) {
    setBackgroundColor(kPadColor);
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        addKey(digit, false);
    }
    addKey("完成", true);
    addKey("0", false);
    Button* backspace = addKey("", true);
    auto icon = std::make_unique<PadKeyboardBackspaceIcon>(kKeyTextColor);
    icon->setFrame({0, 0, kBackspaceIconSize.width, kBackspaceIconSize.height});
    m_backspaceIcon = backspace->addSubview(std::move(icon));
}

Button* PadKeyboardView::addKey(const std::string& title, bool functionKey) {
    const int index = static_cast<int>(m_keys.size());
    const Color face = functionKey ? kFunctionKeyColor : kDigitKeyColor;
    auto key = Button::create(Button::Type::Custom);
    key->setTitle(title);
    key->setTitleColor(kKeyTextColor);
    key->titleLabel()->setFont(functionKey ? Font::boldSystem(18) : Font::system(26));
    key->setBackgroundColor(face);
    key->addTarget(TouchDown,
                   [](Control& control) { control.setBackgroundColor(kPressedKeyColor); });
    key->addTarget(TouchUpInside | TouchUpOutside | TouchCancel,
                   [face](Control& control) { control.setBackgroundColor(face); });
    key->addTarget(TouchUpInside, [this, index](Control& control) {
        keyPressed(static_cast<Button&>(control), index);
    });
    m_keys.push_back(addSubview(std::move(key)));
    return m_keys.back();
}

void PadKeyboardView::keyPressed(Button& key, int index) {
    if (!m_delegate) {
        return;
    }
    if (index == kSpecialKeyIndex) {
        m_delegate->didspecialKey();
    } else if (index == kBackspaceKeyIndex) {
        m_delegate->didBackspaceKeyPressed();
    } else {
        m_delegate->didNumericKeyPressed(key);
    }
}

void PadKeyboardView::typeKeyText(const std::string& text) {
    WeakLink<PadKeyboardView> self(this);
    for (const char c : text) {
        const int index = digitKeyIndex(c);
        if (!self) {
            return;
        }
        if (index >= 0) {
            keyPressed(*m_keys[static_cast<size_t>(index)], index);
        }
    }
}

void PadKeyboardView::typeKeyBackspace() {
    keyPressed(*m_keys[kBackspaceKeyIndex], kBackspaceKeyIndex);
}

void PadKeyboardView::layoutSubviews() {
    const Rect b = bounds();
    const double width = (b.width - kGap * (kColumns - 1)) / kColumns;
    const double height = (b.height - kGap * (kRows + 1)) / kRows;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const double column = static_cast<double>(i % kColumns);
        const double row = static_cast<double>(i / kColumns);
        m_keys[i]->setFrame({column * (width + kGap), kGap + row * (height + kGap), width, height});
    }
    const Rect keyBounds = m_keys[kBackspaceKeyIndex]->bounds();
    m_backspaceIcon->setFrame({keyBounds.midX() - kBackspaceIconSize.width / 2,
                               keyBounds.midY() - kBackspaceIconSize.height / 2,
                               kBackspaceIconSize.width, kBackspaceIconSize.height});
}
