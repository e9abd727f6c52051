#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "platform/ui/UiFixture.h"
#include "widgets/PadKeyboardView.h"

namespace {

// A screen that types into its own field, as the order and login forms do.
class KeypadOwner : public PadKeyboardViewDelegate {
public:
    void didNumericKeyPressed(Button& key) override {
        log.add(key.titleLabel()->text());
        if (field != nullptr) {
            field->setText(field->text() + key.titleLabel()->text());
        }
    }
    void didspecialKey() override { log.add("完成"); }
    void didBackspaceKeyPressed() override { log.add("backspace"); }

    TextField* field = nullptr;
    CallLog log;
};

class PadKeyboard : public UiTest {
protected:
    PadKeyboard() {
        keypad = std::make_shared<PadKeyboardView>(Rect{0, 0, 320, 216});
        keypad->setDelegate(&owner);
        field = add(std::make_unique<TextField>(Rect{20, 100, 280, 40}));
        field->setInputView(keypad);
        owner.field = field;
        field->becomeFirstResponder();
        driver.settle();
    }

    std::vector<Button*> keys() const {
        std::vector<Button*> found;
        for (View* view : keypad->subviews()) {
            if (auto* key = dynamic_cast<Button*>(view)) {
                found.push_back(key);
            }
        }
        return found;
    }

    KeypadOwner owner;
    std::shared_ptr<PadKeyboardView> keypad;
    TextField* field = nullptr;
};

TEST_F(PadKeyboard, shouldShowTwelveKeysInThreeColumnsWithoutADecimalPoint) {
    const auto all = keys();
    ASSERT_EQ(all.size(), 12u);
    std::vector<std::string> titles;
    for (Button* key : all) {
        titles.push_back(key->currentTitle());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "完成",
                                                "0", ""}));
    EXPECT_EQ(all[0]->frame().y, all[2]->frame().y);
    EXPECT_LT(all[0]->frame().maxX(), all[1]->frame().x + 0.01);
    EXPECT_LT(all[2]->frame().maxY(), all[3]->frame().y + 0.01);
    EXPECT_LE(all[11]->frame().maxX(), 320.0);
    EXPECT_LE(all[11]->frame().maxY(), 216.0);
    EXPECT_EQ(driver.viewWithText("."), nullptr);
    EXPECT_TRUE(driver.isVisible(all[11]));
}

TEST_F(PadKeyboard, shouldReportEveryKeyToItsDelegate) {
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}) {
        ASSERT_TRUE(driver.pressKey(digit)) << digit;
    }
    ASSERT_TRUE(driver.pressKey("完成"));
    ASSERT_TRUE(driver.tap(keys().back()));
    EXPECT_EQ(owner.log.calls, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8",
                                                         "9", "0", "完成", "backspace"}));
    EXPECT_EQ(field->text(), "1234567890");
}

TEST_F(PadKeyboard, shouldPressItsKeysForAComputerKeyboardsDigitsAndDropTheRest) {
    driver.typeText("1a2.３3");
    driver.pressBackspace();
    EXPECT_EQ(owner.log.calls, (std::vector<std::string>{"1", "2", "3", "backspace"}));
    EXPECT_EQ(field->text(), "123");
}

TEST_F(PadKeyboard, shouldChangeNoTextItself) {
    owner.field = nullptr;
    field->setText("88");
    driver.pressKey("5");
    driver.tap(keys().back());
    driver.pressKey("完成");
    EXPECT_EQ(field->text(), "88");
    EXPECT_EQ(owner.log.calls.size(), 3u);
}

TEST_F(PadKeyboard, shouldIgnoreKeysWithoutADelegate) {
    keypad->setDelegate(nullptr);
    EXPECT_TRUE(driver.pressKey("7"));
    EXPECT_TRUE(driver.pressKey("完成"));
    EXPECT_TRUE(owner.log.calls.empty());
}

TEST_F(PadKeyboard, shouldLookLikeAKeypadInASnapshot) {
    field->setBackgroundColor(Color::whiteColor());
    driver.pressKey("6");
    driver.pressKey("8");
    const std::string path = std::string(VKJY_TEST_OUTPUT_DIR) + "/keypad.png";
    ASSERT_TRUE(driver.saveSnapshot(path));
    const Rect keypadFrame = window->keyboardFrame();
    ASSERT_FALSE(keypadFrame.isEmpty());
    const Rect digitFive = keys()[4]->convertRect(keys()[4]->bounds(), nullptr);
    EXPECT_TRUE(near(driver.colorAt({digitFive.x + 4, digitFive.y + 4}), 74, 75, 88))
        << "digit keys have their own face";
    EXPECT_TRUE(near(driver.colorAt({keypadFrame.x + 1, keypadFrame.y + 0.2}), 41, 41, 51))
        << "the pad shows between the keys";
}

}  // namespace
