#pragma once

// A one-line editable text: placeholder (with its colour), secure entry, clear button, font,
// colour and alignment, keyboard and return-key kinds, an input view in place of the system
// keyboard (an empty view for none; a computer keyboard types through it, see Application).
// Typing asks the delegate first, then sends EditingChanged and posts kTextDidChangeNotification
// (object: the field). Text ranges count characters (Unicode code points). The caret stays at
// the end. Owned by its superview. Main thread only.

#include <memory>
#include <string>

#include "platform/foundation/WeakLink.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Control.h"

class TextField;

struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;
};

class TextFieldDelegate : public virtual LinkTarget {
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField&) { return true; }
    virtual void textFieldDidBeginEditing(TextField&) {}
    virtual bool textFieldShouldEndEditing(TextField&) { return true; }
    virtual void textFieldDidEndEditing(TextField&) {}
    virtual bool textFieldShouldChangeCharacters(TextField&, TextRange, const std::string&) {
        return true;
    }
    virtual bool textFieldShouldClear(TextField&) { return true; }
    virtual bool textFieldShouldReturn(TextField&) { return true; }
};

enum class ClearButtonMode { Never, WhileEditing, UnlessEditing, Always };
enum class KeyboardType { Default, NumberPad, DecimalPad, PhonePad, EmailAddress, Ascii };
enum class ReturnKeyType { Default, Done, Go, Next, Search, Send };

class TextField : public Control {
public:
    TextField();
    explicit TextField(const Rect& frame);
    ~TextField() override;

    const std::string& text() const { return m_text; }
    // Setting the text from code asks nobody and posts nothing.
    void setText(const std::string& text);
    const std::string& placeholder() const { return m_placeholder; }
    void setPlaceholder(const std::string& placeholder);
    const Color& placeholderColor() const { return m_placeholderColor; }
    void setPlaceholderColor(const Color& color);
    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    const Color& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    bool isSecureTextEntry() const { return m_secure; }
    void setSecureTextEntry(bool secure);
    ClearButtonMode clearButtonMode() const { return m_clearMode; }
    void setClearButtonMode(ClearButtonMode mode);
    KeyboardType keyboardType() const { return m_keyboardType; }
    void setKeyboardType(KeyboardType type) { m_keyboardType = type; }
    ReturnKeyType returnKeyType() const { return m_returnKeyType; }
    void setReturnKeyType(ReturnKeyType type) { m_returnKeyType = type; }
    const Image& background() const { return m_background; }
    void setBackground(const Image& image);
    // Not owned; cleared by its owner.
    TextFieldDelegate* delegate() const { return m_delegate.get(); }
    void setDelegate(TextFieldDelegate* delegate) { m_delegate = delegate; }
    // Shared: one keypad often serves several fields.
    void setInputView(std::shared_ptr<View> view);
    std::shared_ptr<View> inputView() const override { return m_inputView; }

    bool isEditing() const { return m_editing; }
    bool isClearButtonShown() const;
    Rect clearButtonRect() const;

    // Responder: keyboard input while editing.
    bool canBecomeFirstResponder() const override;
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    bool wantsKeyboard() const override { return true; }
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    void pressReturn() override;
    // Replaces a range as typing would: the delegate may refuse.
    bool replaceCharacters(TextRange range, const std::string& replacement);

    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void draw(GraphicsContext& context, const Rect& rect) override;

    static constexpr const char* kTextDidChangeNotification = "TextFieldTextDidChangeNotification";
    static constexpr const char* kTextDidBeginEditingNotification =
        "TextFieldTextDidBeginEditingNotification";
    static constexpr const char* kTextDidEndEditingNotification =
        "TextFieldTextDidEndEditingNotification";

private:
    std::size_t length() const;
    void textChangedByUser();
    void announceEditing(bool began);
    void clear();

    std::string m_text;
    std::string m_placeholder;
    Color m_placeholderColor = Color::white(0.7);
    Font m_font = Font::system(17);
    Color m_textColor = Color::blackColor();
    TextAlignment m_alignment = TextAlignment::Left;
    bool m_secure = false;
    ClearButtonMode m_clearMode = ClearButtonMode::Never;
    KeyboardType m_keyboardType = KeyboardType::Default;
    ReturnKeyType m_returnKeyType = ReturnKeyType::Default;
    Image m_background;
    WeakLink<TextFieldDelegate> m_delegate;
    std::shared_ptr<View> m_inputView;
    bool m_editing = false;
};
