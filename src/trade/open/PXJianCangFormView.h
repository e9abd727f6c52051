#pragma once
// What the opening forms share: the account row, the commodity drop-down, the quantity typed
// on the in-app keypad with its range label, the buy/sell pair, the deposit line, the order
// button at the bottom and the lift of the form while a keyboard is up. Each form places these
// pieces and adds its price rows and its order. The host fills the commodity, range and
// prices; the form never talks to the server. Owned by its host's view; main thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AlertView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "trade/common/PXTradeFormLift.h"
#include "trade/core/PXTradeTypes.h"
#include "widgets/PadKeyboardView.h"

class Button;
class ImageView;
class Label;
class PXJYSwitchingAccountView;
class PXTradeCommodity;
class PXTradeModule;
class PXTradeShownAccount;
class ScrollView;
struct PXJianCangRefusal;

class PXJianCangFormView : public View,
                           public PadKeyboardViewDelegate,
                           public TextFieldDelegate,
                           public TableViewDataSource,
                           public TableViewDelegate,
                           public AlertViewDelegate {
public:
    static constexpr double kRowHeight = 50;
    static constexpr double kLift = PXTradeFormLift::kLift;
    // The commodities the drop-down offers, asked each time it opens: they are those of the
    // account in force, which a switch in the form changes.
    using CommodityCodes = std::function<std::vector<std::string>()>;

    ~PXJianCangFormView() override;

    // Every commodity the account in force trades.
    static std::vector<std::string> tradedCommodityCodes();

    // What the drop-down lists when it opens now.
    std::vector<std::string> commodityCodeArray() const { return m_commodityCodes(); }
    Button* commodityNameButton() const { return m_commodityNameButton; }
    Label* commodityNameLabel() const { return m_commodityNameLabel; }
    // The drop-down arrow inside the name button.
    ImageView* xiaSanJiaoImageView() const { return m_xiaSanJiaoImageView; }
    TextField* shuLiang() const { return m_shuLiang; }
    Label* fanWei() const { return m_fanWei; }
    Label* dingJin() const { return m_dingJin; }
    Button* buyButton() const { return m_buyButton; }
    Button* sellButton() const { return m_sellButton; }
    Button* jianCangButton() const { return m_jianCangButton; }
    TableView* commodityListView() const { return m_commodityListView; }
    // The account row: the switcher of the logged-in account.
    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }
    int XiaDan_FangXiang() const { return m_side; }
    const std::string& commodityCode() const { return m_commodityCode; }
    void setCommodityCode(const std::string& code) { m_commodityCode = code; }
    bool isRaised() const { return m_lift && m_lift->isRaised(); }
    // A host that fixed the commodity: the name button stays shut and shows no arrow.
    void fixCommodity();
    bool commodityFixed() const { return m_commodityFixed; }

    // Side change, also used by hosts to preset the side.
    void buyButtonAction();
    void sellButtonAction();
    // Opens or closes the drop-down.
    void commodityNamebuttonAction();
    // Closes the drop-down; the host calls it on every way out of the form (another tab, the
    // screen going), the form itself when a keyboard comes up.
    void closeCommodityList();
    // Presses the order button's action.
    void jianCangbuttonAction();
    // The logon its host's choices were made under: an order tapped after another logon is
    // refused before the form's own checks, which would only find what the logon took away.
    void setShownAccount(PXTradeShownAccount* account) { m_shownAccount = account; }
    // What the host does when a tap finds no range written (it could not learn it): asks again,
    // so that this tap, which still refuses and says why, is not the last to find none.
    void setRangeWanted(std::function<void()> wanted) { m_rangeWanted = std::move(wanted); }
    // Recomputes the deposit line from the quantity and the form's price.
    void dangQianSuoXuDingJin();
    // Empties the input; the side, the commodity and the labels the host wrote stay.
    virtual void cleanView();

    // PadKeyboardViewDelegate
    void didNumericKeyPressed(Button& key) override;
    void didBackspaceKeyPressed() override;
    void didspecialKey() override;
    // TextFieldDelegate
    bool textFieldShouldBeginEditing(TextField& field) override;
    bool textFieldShouldReturn(TextField& field) override;
    // The drop-down.
    int numberOfRows(TableView&, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath indexPath) override;
    void didSelectRow(TableView& table, IndexPath indexPath) override;
    // The order confirmation's buttons: "确定" (0) sends.
    void alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) override;

protected:
    struct Style {
        double contentHeight;
        Color dropDownRowColor;
        int quantityTag;
        // The scrolling area: its top and its height on the 4-inch and the 3.5-inch screen.
        double scrollTop = 0;
        double scrollHeight = 340;
        double smallScrollHeight = 255;
        // "摘牌" or "挂牌": the deposit line and the order button say what the order does.
        std::string orderWord = "摘牌";
    };

    PXJianCangFormView(const Rect& frame, CommodityCodes commodityCodes, Style style);

    // The quote-mode layout: account, commodity, quantity and side rows and the caption of the
    // fifth row. Subclasses fill the fifth row and the rows under it, then add the button.
    void buildForm();
    // The pieces, for forms that place them otherwise; the scroll area comes first and the
    // order button last.
    void buildScrollArea();
    void buildAccountRow(double y);
    void buildNameRow(double y);
    // Without its rule where the row runs straight on into what follows.
    void buildSideRow(double y, bool separator = true);
    void buildQuantityField(const Rect& field, const Rect& range);
    void buildSendButton();
    ScrollView* scrollArea() const { return m_scrollArea; }
    static double rowTop(int row) { return row * kRowHeight; }
    Label* addCaption(const std::string& text, double y, double x = 15, double width = 80,
                      bool separator = true);
    void placeDeposit(double y);
    std::string emptyDepositText() const;

    // The price the deposit line multiplies.
    virtual double depositPrice() const = 0;
    virtual void tellCommodity(const std::string& code) = 0;
    // After the side buttons changed; the quote forms ask the host to refill the prices.
    virtual void sideChanged() {}
    // A row of the drop-down was chosen: tell the host, then clear the input.
    virtual void commodityChosen(const std::string& code);
    // The order, after the shared quantity check passed.
    virtual void sendOrder() = 0;
    // Every field the form's "return" and "完成" end.
    virtual std::vector<TextField*> editableFields() const;

    void refuse(const PXJianCangRefusal& refusal) const;
    void endAllEditing();
    std::shared_ptr<PXTradeCommodity> commodity() const;
    // The keys every order dictionary starts with: a fresh id, the user and the side.
    JYDict orderHead() const;
    std::string firmId() const;
    std::string sessionId() const;
    const std::shared_ptr<PadKeyboardView>& keypad() const { return m_keypad; }
    PXTradeModule& module() const;
    void setSideButtons();

    bool isCuoHeCommodity() const;
    // The "order_mp" request of an order-book delisting at that price; listRest lists the
    // lots that find no counterpart.
    JYDict orderBookRequest(const std::string& price, bool listRest) const;
    // With the user default "prompt" "1" asks "   商品:...方式:摘牌购入" (挂牌 for a listing)
    // first; send runs on "确定", or at once under any other setting.
    void confirmOrder(const std::string& price, std::function<void()> send);

private:
    void buildDropDown();
    Button* addSideButton(const std::string& title, const std::string& icon, double x, double y);
    void setSide(int side);
    // The name button: off while the keypad is up or when the host fixed the commodity.
    void setNameButton();
    void keyboardMoved();

    CommodityCodes m_commodityCodes;
    // The rows of the open drop-down, as listed when it opened.
    std::vector<std::string> m_listedCodes;
    Style m_style;
    ScrollView* m_scrollArea = nullptr;
    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    Button* m_commodityNameButton = nullptr;
    Label* m_commodityNameLabel = nullptr;
    ImageView* m_xiaSanJiaoImageView = nullptr;
    TextField* m_shuLiang = nullptr;
    Label* m_fanWei = nullptr;
    Button* m_buyButton = nullptr;
    Button* m_sellButton = nullptr;
    Label* m_dingJin = nullptr;
    Button* m_jianCangButton = nullptr;
    PXTradeShownAccount* m_shownAccount = nullptr;
    std::function<void()> m_rangeWanted;
    TableView* m_commodityListView = nullptr;
    std::shared_ptr<PadKeyboardView> m_keypad;
    TextField* m_editingField = nullptr;
    int m_side = 1;
    double m_nameRowTop = 0;
    std::function<void()> m_confirmed;
    std::string m_commodityCode;
    bool m_hide = true;
    std::unique_ptr<PXTradeFormLift> m_lift;
    bool m_commodityFixed = false;
};
