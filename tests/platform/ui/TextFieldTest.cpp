#include <QImage>

#include "UiFixture.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"

namespace {

// Accepts digits only, at most `limit` of them, like the order forms.
class DigitsOnly : public TextFieldDelegate {
public:
    explicit DigitsOnly(std::size_t limit) : m_limit(limit) {}
    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override {
        ranges.push_back(range);
        for (char c : replacement) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return field.text().size() - range.length + replacement.size() <= m_limit;
    }
    bool textFieldShouldReturn(TextField& field) override {
        field.resignFirstResponder();
        return true;
    }
    void textFieldDidBeginEditing(TextField&) override { log.add("begin"); }
    void textFieldDidEndEditing(TextField&) override { log.add("end"); }
    std::vector<TextRange> ranges;
    CallLog log;

private:
    std::size_t m_limit;
};

// A small numeric keypad, as the order screens use instead of the system keyboard.
class Keypad : public View {
public:
    Keypad() : View(Rect{0, 0, 320, 216}) {
        const char* keys[] = {"1", "2", "3", "删除"};
        for (int i = 0; i < 4; ++i) {
            auto key = Button::create(Button::Type::Custom, {80.0 * i, 0, 80, 216});
            std::string title = keys[i];
            key->setTitle(title);
            key->addTarget(TouchUpInside, [title](Control&) {
                Responder* r = Application::shared()->firstResponder();
                if (title == "删除") {
                    r->deleteBackward();
                } else {
                    r->insertText(title);
                }
            });
            addSubview(std::move(key));
        }
    }
};

}  // namespace

class TextFields : public UiTest {
protected:
    TextFields() {
        field = add(std::make_unique<TextField>(Rect{20, 100, 200, 30}));
        field->setPlaceholder("请输入数量");
        field->setDelegate(&delegate);
    }
    ~TextFields() override { NotificationCenter::defaultCenter().removeObserver(this); }
    TextField* field;
    DigitsOnly delegate{4};
};

TEST_F(TextFields, shouldStartEditingOnTapAndShowSystemKeyboard) {
    ASSERT_TRUE(driver.tap(field));
    EXPECT_TRUE(field->isEditing());
    EXPECT_TRUE(field->isFirstResponder());
    ASSERT_NE(window->keyboardView(), nullptr);
    EXPECT_EQ(window->keyboardFrame(), (Rect{0, 568 - 216, 320, 216}));
    ASSERT_TRUE(driver.pressKey("7"));
    EXPECT_EQ(field->text(), "7");
}

TEST_F(TextFields, shouldLetDelegateVetoChanges) {
    driver.tap(field);
    driver.typeText("12");
    driver.typeText("a");
    driver.typeText("345");
    driver.typeText("3");
    EXPECT_EQ(field->text(), "123");
    driver.pressBackspace();
    EXPECT_EQ(field->text(), "12");
    ASSERT_FALSE(delegate.ranges.empty());
    EXPECT_EQ(delegate.ranges.back().location, 2u);
    EXPECT_EQ(delegate.ranges.back().length, 1u);
}

TEST_F(TextFields, shouldSendEditingChangedAndPostTextDidChange) {
    int changed = 0;
    int posted = 0;
    field->addTarget(EditingChanged, [&](Control&) { ++changed; });
    NotificationCenter::defaultCenter().addObserver(
        this, TextField::kTextDidChangeNotification, field,
        [&](const std::string&, const void*, const PropertyList&) { ++posted; });
    driver.tap(field);
    driver.typeText("5");
    driver.typeText("x");
    field->setText("99");
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(posted, 1);
}

TEST_F(TextFields, shouldRefuseToEditWhenDelegateSaysNo) {
    class Locked : public TextFieldDelegate {
        bool textFieldShouldBeginEditing(TextField&) override { return false; }
    } locked;
    field->setDelegate(&locked);
    driver.tap(field);
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(window->keyboardView(), nullptr);
    field->setDelegate(nullptr);
}

TEST_F(TextFields, shouldTypeThroughCustomInputView) {
    auto keypad = std::make_shared<Keypad>();
    field->setInputView(keypad);
    auto* second = add(std::make_unique<TextField>(Rect{20, 150, 200, 30}));
    second->setInputView(keypad);
    driver.tap(field);
    EXPECT_EQ(window->keyboardView(), keypad.get());
    ASSERT_TRUE(driver.pressKey("1"));
    ASSERT_TRUE(driver.pressKey("3"));
    ASSERT_TRUE(driver.pressKey("删除"));
    EXPECT_EQ(field->text(), "1");
    driver.tap(second);
    EXPECT_EQ(window->keyboardView(), keypad.get());
    driver.pressKey("2");
    EXPECT_EQ(second->text(), "2");
    EXPECT_EQ(field->text(), "1");
    EXPECT_EQ(delegate.log.calls, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(TextFields, shouldShowNoKeyboardForEmptyInputView) {
    field->setInputView(std::make_shared<View>(Rect{0, 0, 320, 0}));
    driver.tap(field);
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(window->keyboardFrame().height, 0);
    // No keys, so nothing from a computer keyboard either.
    field->setText("12");
    driver.typeText("3");
    EXPECT_EQ(field->text(), "12");
    driver.pressBackspace();
    EXPECT_EQ(field->text(), "12");
}

TEST_F(TextFields, shouldPostKeyboardNotificationsWithFrame) {
    std::vector<std::string> names;
    Rect shownFrame;
    auto record = [&](const std::string& name, const void*, const PropertyList& info) {
        names.push_back(name);
        shownFrame = Application::keyboardFrameFrom(info);
    };
    NotificationCenter::defaultCenter().addObserver(
        this, Application::kKeyboardWillShowNotification, nullptr, record);
    NotificationCenter::defaultCenter().addObserver(
        this, Application::kKeyboardWillHideNotification, nullptr, record);
    driver.tap(field);
    EXPECT_EQ(shownFrame, (Rect{0, 352, 320, 216}));
    driver.pressReturn();
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(window->keyboardView(), nullptr);
    EXPECT_EQ(names, (std::vector<std::string>{Application::kKeyboardWillShowNotification,
                                               Application::kKeyboardWillHideNotification}));
}

TEST_F(TextFields, shouldClearTextWithClearButtonWhileEditing) {
    field->setClearButtonMode(ClearButtonMode::WhileEditing);
    driver.tap(field);
    driver.typeText("88");
    ASSERT_TRUE(field->isClearButtonShown());
    Point clear = field->convertPoint(field->clearButtonRect().center(), nullptr);
    driver.tapAt(clear);
    EXPECT_EQ(field->text(), "");
}

TEST_F(TextFields, shouldCountChineseCharactersAsOneEach) {
    field->setDelegate(nullptr);
    driver.tap(field);
    driver.typeText("摘牌");
    driver.pressBackspace();
    EXPECT_EQ(field->text(), "摘");
}

TEST_F(TextFields, shouldHideSecureTextOnScreen) {
    field->setDelegate(nullptr);
    field->setSecureTextEntry(true);
    field->setText("secret");
    field->setTextColor(Color::redColor());
    window->setBackgroundColor(Color::whiteColor());
    QImage image = screen.renderImage();
    int red = 0;
    for (int x = 20; x < 220; ++x) {
        for (int y = 100; y < 130; ++y) {
            QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_LT(red, 200);
}

TEST_F(TextFields, shouldKeepTakingTextOnceItsDelegateIsGone) {
    auto gone = std::make_unique<DigitsOnly>(2);
    field->setDelegate(gone.get());
    ASSERT_TRUE(driver.tap(field));
    gone.reset();
    driver.typeText("a1");
    driver.pressReturn();
    EXPECT_EQ(field->text(), "a1");
    EXPECT_EQ(field->delegate(), nullptr);
}
