#include "platform/ui/SystemKeyboard.h"

#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

namespace {

const std::vector<std::vector<std::string>> kRows = {
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"},
    {"q", "w", "e", "r", "t", "y", "u", "i", "o", "p"},
    {"a", "s", "d", "f", "g", "h", "j", "k", "l"},
    {"z", "x", "c", "v", "b", "n", "m", SystemKeyboard::kDeleteTitle},
    {SystemKeyboard::kSpaceTitle, SystemKeyboard::kReturnTitle},
};

void press(const std::string& key) {
    Application* app = Application::shared();
    Responder* target = app ? app->firstResponder() : nullptr;
    if (!target) {
        return;
    }
    if (key == SystemKeyboard::kDeleteTitle) {
        target->deleteBackward();
    } else if (key == SystemKeyboard::kReturnTitle) {
        target->pressReturn();
    } else if (key == SystemKeyboard::kSpaceTitle) {
        target->insertText(" ");
    } else {
        target->insertText(key);
    }
}

}  // namespace

SystemKeyboard::SystemKeyboard(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::rgb(209, 213, 219));
    for (const auto& row : kRows) {
        for (const std::string& key : row) {
            auto button = Button::create(Button::Type::Custom);
            button->setTitle(key);
            button->setTitleColor(Color::blackColor());
            button->setBackgroundColor(Color::whiteColor());
            button->setCornerRadius(4);
            button->titleLabel()->setFont(Font::system(16));
            button->addTarget(TouchUpInside, [key](Control&) { press(key); });
            addSubview(std::move(button));
        }
    }
}

void SystemKeyboard::layoutSubviews() {
    Rect b = bounds();
    double rowHeight = b.height / static_cast<double>(kRows.size());
    std::size_t index = 0;
    std::vector<View*> keys = subviews();
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        double width = b.width / static_cast<double>(kRows[r].size());
        for (std::size_t k = 0; k < kRows[r].size() && index < keys.size(); ++k, ++index) {
            keys[index]->setFrame({b.x + width * static_cast<double>(k) + 2,
                                   b.y + rowHeight * static_cast<double>(r) + 3, width - 4,
                                   rowHeight - 6});
        }
    }
}
