#pragma once
// What the two transfer forms share (market-price transfer of quote mode, transfer listing of
// order-book mode): the account row, the mode pair "按商品" / "按单号" that swaps the commodity
// and holding-number rows, the lower block with the closing direction and the quantity typed
// on the in-app keypad with its range label, the "转让" button, and the lift of the form while
// a keyboard is up. The host writes commodity, number, direction and range; the form never
// talks to the server. Owned by its host's view; main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "trade/core/PXTradeTypes.h"
#include "widgets/PadKeyboardView.h"

class Button;
class ImageView;
class Label;
class PXJYSwitchingAccountView;
class PXTradeFormLift;
class PXTradeCommodity;
class PXTradeShownAccount;
class ScrollView;

class PXZhuanRangFormView : public View, public PadKeyboardViewDelegate, public TextFieldDelegate {
public:
    static constexpr double kRowHeight = 50;
    static constexpr int kQuantityTag = 1020;
    static constexpr const char* kWrongQuantity = "请输入正确的交易数量";

    ~PXZhuanRangFormView() override;

    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }
    Button* SPbutton() const { return m_SPbutton; }
    Button* DHbutton() const { return m_DHbutton; }
    Button* commodityNameButton() const { return m_commodityNameButton; }
    ImageView* nameButtonImage() const { return m_nameButtonImage; }
    Button* danHaoButton() const { return m_danHaoButton; }
    ImageView* danHaoButtonImage() const { return m_danHaoButtonImage; }
    Label* maiMaiFangXiangL() const { return m_maiMaiFangXiangL; }
    TextField* shuLiang() const { return m_shuLiang; }
    Label* shuLiangFanWei() const { return m_shuLiangFanWei; }
    View* otherView() const { return m_otherView; }
    Button* zhuanRangButton() const { return m_zhuanRangButton; }

    bool danHaoOrShangPin() const { return m_danHaoOrShangPin; }
    // The flag alone: no relayout, no clearing.
    void setDanHaoOrShangPin(bool byCommodity) { m_danHaoOrShangPin = byCommodity; }
    bool commodityNameButtonEnabled() const { return m_commodityNameButtonEnabled; }
    void setCommodityNameButtonEnabled(bool enabled);
    // A host that fixed the commodity, or the holding number, for good: that picker stays shut
    // and shows no arrow, whatever the mode or the keypad does.
    void fixCommodity();
    void fixNumber();
    bool commodityFixed() const { return m_commodityFixed; }
    bool numberFixed() const { return m_numberFixed; }
    const std::string& commodityCode() const { return m_commodityCode; }
    void setCommodityCode(const std::string& code) { m_commodityCode = code; }
    // No value: no holding number chosen.
    const std::optional<std::string>& danHaoID() const { return m_danHaoID; }
    void setDanHaoID(std::optional<std::string> id) { m_danHaoID = std::move(id); }
    const std::string& xiaDanFangXiang() const { return m_xiaDanFangXiang; }
    void setXiaDanFangXiang(const std::string& side) { m_xiaDanFangXiang = side; }
    bool isRaised() const;

    void shangPinButtonActionSJPC();
    void danHaoButtonActionSJPC();
    void commodityNamebuttonAction();
    void danHaobuttonAction();
    void zhuanRangButtonActionSJPC();
    // The logon its host's choices were made under: a send tapped after another logon is refused
    // before the form's own checks, which would only find what the logon took away.
    void setShownAccount(PXTradeShownAccount* account) { m_shownAccount = account; }
    // Empties what is shown and typed; commodity, number and direction stay.
    virtual void cleanView();
    // For another holding: by commodity again, no number, nothing typed.
    void startAfresh();
    // Nothing is chosen in the mode on show: nothing of the other mode's choice stays behind
    // to be sent.
    void clearChoice();
    // The chosen holding (a number, or the summary chosen by commodity) is held no more: the
    // form shows no number and nothing free, so nothing of it can be sent.
    virtual void forgetNumber();

    void didNumericKeyPressed(Button& key) override;
    void didBackspaceKeyPressed() override;
    void didspecialKey() override;
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;

protected:
    PXZhuanRangFormView(const Rect& frame, double contentHeight);

    // Builds the shared rows; subclasses then add their block rows and call finishForm().
    void buildForm();
    void finishForm();
    Label* addCaption(View& parent, const std::string& text, double y, double x = 15,
                      double width = 80, double size = 16);
    TextField* addField(View& parent, const Rect& frame, int tag, bool keypad);
    // A field's box on its own, for a field that hides while its box stays.
    void addFieldFrame(View& parent, const Rect& frame);
    Button* addCheckBox(View& parent, double y);
    static void setChecked(Button& box, bool checked);
    const std::shared_ptr<PadKeyboardView>& keypad() const { return m_keypad; }

    // The title's check of the chosen commodity or number, then the quantity against the
    // range label; the refusal text, if any.
    std::optional<std::string> checkChoiceAndQuantity() const;
    std::shared_ptr<PXTradeCommodity> commodity() const;
    void endAllEditing();
    std::string userId() const;
    std::string sessionId() const;

    virtual void askCommodityPicker() = 0;
    virtual void askNumberPicker() = 0;
    virtual void askRefill() = 0;
    virtual void send() = 0;
    virtual std::vector<TextField*> editableFields() const;

private:
    void placeRows();
    // Each picker button as the mode and the host say, and off while the keypad is up.
    void setPickerButtons();

    double m_contentHeight;
    ScrollView* m_scroll = nullptr;
    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    Button* m_SPbutton = nullptr;
    Button* m_DHbutton = nullptr;
    Label* m_commodetyNameL = nullptr;
    Label* m_danHaoL = nullptr;
    Button* m_commodityNameButton = nullptr;
    ImageView* m_nameButtonImage = nullptr;
    Button* m_danHaoButton = nullptr;
    ImageView* m_danHaoButtonImage = nullptr;
    View* m_otherView = nullptr;
    Button* m_zhuanRangButton = nullptr;
    PXTradeShownAccount* m_shownAccount = nullptr;
    Label* m_maiMaiFangXiangL = nullptr;
    TextField* m_shuLiang = nullptr;
    Label* m_shuLiangFanWei = nullptr;
    std::shared_ptr<PadKeyboardView> m_keypad;
    TextField* m_editingField = nullptr;
    bool m_danHaoOrShangPin = true;
    bool m_commodityNameButtonEnabled = false;
    std::string m_commodityCode;
    std::optional<std::string> m_danHaoID;
    std::string m_xiaDanFangXiang;
    std::unique_ptr<PXTradeFormLift> m_lift;
    bool m_commodityFixed = false;
    bool m_numberFixed = false;
};
