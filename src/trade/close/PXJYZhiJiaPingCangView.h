#pragma once
// The conditional transfer form: a stop-loss, a take-profit or both on one holding of a
// quote-mode commodity. The host writes the holding's figures and the allowed ranges; "转让"
// checks the switched-on levels against them and hands the order dictionary to the delegate
// ("0" for a level that is off). Owned by its host's view; the delegate is not owned. Main
// thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "trade/core/PXTradeTypes.h"

class Button;
class ImageView;
class Label;
class PXJYSwitchingAccountView;
class PXTradeData;
class PXTradeFormLift;
class PXTradeShownAccount;

class PXJYZhiJiaPingCangViewDelegate {
public:
    virtual ~PXJYZhiJiaPingCangViewDelegate() = default;
    virtual void PXZJPCremoveChiCangDanHaoView() {}
    virtual void PXZhiJiaPingCangClick(const JYDict& order) = 0;
};

class PXJYZhiJiaPingCangView : public View, public TextFieldDelegate {
public:
    static constexpr int kStopLossTag = 1112;
    static constexpr int kTakeProfitTag = 1113;

    explicit PXJYZhiJiaPingCangView(const Rect& frame);
    ~PXJYZhiJiaPingCangView() override;

    void setDelegate(PXJYZhiJiaPingCangViewDelegate* delegate) { m_delegate = delegate; }
    // The logon its host's choices were made under: a send tapped after another logon is refused
    // before the form's own checks.
    void setShownAccount(PXTradeShownAccount* account) { m_shownAccount = account; }
    const std::string& danHaoBuySellSing() const { return m_danHaoBuySellSing; }
    void setDanHaoBuySellSing(const std::string& sign) { m_danHaoBuySellSing = sign; }
    const std::string& commodityCode() const { return m_commodityCode; }
    void setCommodityCode(const std::string& code) { m_commodityCode = code; }
    const std::optional<std::string>& danHaoID() const { return m_danHaoID; }
    void setDanHaoID(std::optional<std::string> id) { m_danHaoID = std::move(id); }

    PXJYSwitchingAccountView* switchingAccountView() const { return m_switchingAccountView; }
    Button* commodityDanHao() const { return m_commodityDanHao; }
    Label* commodityDanHaoLabel() const { return m_commodityDanHaoLabel; }
    Label* commodity() const { return m_commodity; }
    Label* chiCangL() const { return m_chiCangL; }
    Label* maiMaiFangXiang() const { return m_maiMaiFangXiang; }
    Label* jianCangJia() const { return m_jianCangJia; }
    Label* chiCangJia() const { return m_chiCangJia; }
    TextField* zhiSunJia() const { return m_zhiSunJia; }
    TextField* zhiYingJia() const { return m_zhiYingJia; }
    Label* ZSFanWei() const { return m_ZSFanWei; }
    Label* ZYFanWei() const { return m_ZYFanWei; }
    Button* zhiSunButton() const { return m_zhiSunButton; }
    Button* zhiYingButton() const { return m_zhiYingButton; }
    Button* pingCangButton() const { return m_pingCangButton; }
    bool PCZhiSun() const { return m_PCZhiSun; }
    bool PCZhiYing() const { return m_PCZhiYing; }
    bool isRaised() const;
    // A host that fixed the holding: its number shows as a label in the picker's place, and the
    // picker stays shut.
    void fixNumber();
    bool numberFixed() const { return m_numberFixed; }

    // Writes the ticket's figures and the allowed stop ranges from the store as it is now. A
    // ticket no longer held is forgotten (false): no number, no figures, nothing to send.
    bool fillTicket(const PXTradeData& store, const std::string& number);
    void forgetTicket();
    void cleanView();
    void commodityNamebuttonActionZJPC();
    void zhiSunbuttonActionZJPC();
    void zhiYingbuttonActionZJPC();
    void pingCangbuttonActionZJPC();

    bool textFieldShouldReturn(TextField& field) override;
    bool textFieldShouldChangeCharacters(TextField& field, TextRange range,
                                         const std::string& replacement) override;

    // The refusal of the entered levels, or none. Exposed for the form's table of cases.
    std::optional<std::string> check() const;

private:
    void initcommodityNameViewZJPC();
    Label* addValue(const Rect& frame);
    void setLevel(bool stopLoss, bool on);
    JYDict order() const;
    // The picker: off while the keypad is up or when the host fixed the holding.
    void setNumberButton();

    PXJYZhiJiaPingCangViewDelegate* m_delegate = nullptr;
    PXTradeShownAccount* m_shownAccount = nullptr;
    std::string m_danHaoBuySellSing;
    std::string m_commodityCode;
    std::optional<std::string> m_danHaoID;
    View* m_content = nullptr;
    PXJYSwitchingAccountView* m_switchingAccountView = nullptr;
    Button* m_commodityDanHao = nullptr;
    Label* m_commodityDanHaoLabel = nullptr;
    Label* m_commodity = nullptr;
    Label* m_chiCangL = nullptr;
    Label* m_maiMaiFangXiang = nullptr;
    Label* m_jianCangJia = nullptr;
    Label* m_chiCangJia = nullptr;
    Button* m_zhiSunButton = nullptr;
    Button* m_zhiYingButton = nullptr;
    TextField* m_zhiSunJia = nullptr;
    TextField* m_zhiYingJia = nullptr;
    Label* m_ZSFanWei = nullptr;
    Label* m_ZYFanWei = nullptr;
    Button* m_pingCangButton = nullptr;
    bool m_PCZhiSun = false;
    bool m_PCZhiYing = false;
    std::unique_ptr<PXTradeFormLift> m_lift;
    bool m_numberFixed = false;
};
