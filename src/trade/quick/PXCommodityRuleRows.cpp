#include "trade/quick/PXCommodityRuleRows.h"

#include "platform/foundation/Text.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/TradeText.h"

PXCommodityRuleRows::Rows PXCommodityRuleRows::make(const PXTradeCommodity& c) {
    Rows rows;
    const auto add = [&rows](const std::string& title, const std::string& value) {
        rows.titles.push_back(title);
        rows.values.push_back(value);
    };
    add("商品名称:", c.commodityName);
    add("商品代码:", c.commodityCode);
    add("商品状态:", c.commodityStatus);
    // "10.00千克": the amount and its unit with no blank between.
    add("交易单位:", Text::format("%.2f", Text::doubleValue(c.tradeUnit)) + c.commodityUnit);
    add("最大持牌量:", c.ZuiDaChiCangLiang);
    add("手续费算法:", c.JYShouXuFeiSuanFa);
    add("手续费系数:", Text::format("%.4f", Text::doubleValue(c.shouXuFeiXiShu)));
    add("手续费收取方式:", c.shouQuFangShi);
    add("保证金算法:", c.baoZhengJinSuanFa);
    add("摘牌保证金系数:", c.baoZhengJinXIShu);
    add("交收滞纳金算法:", c.yanQiFeiSuanFa);
    add("单笔最小可委托量:", c.DBZuiXiaoKeWeiTuoLiang);
    add("单笔最大可委托量:", c.DBZuiDaKeWeiTuoLiang);
    add("阶梯值:", "交收滞纳金:");
    for (const JYDict& step : c.yanQiFeiArray) {
        add(TradeText::textAt(step, "STEP_L") + "至" + TradeText::textAt(step, "STEP_V") + "天",
            Text::format("%.4f", Text::doubleValue(TradeText::textAt(step, "YA_V"))));
    }
    return rows;
}
