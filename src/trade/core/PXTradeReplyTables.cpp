#include "trade/core/PXTradeReplyTables.h"

namespace {

using R = PXTradeReplyRule;

const std::vector<std::pair<std::string, std::string>> kBuySell = {{"1", "购入"}, {"2", "售出"}};
const std::vector<std::pair<std::string, std::string>> kDelistTransfer = {{"1", "摘牌"},
                                                                          {"2", "转让"}};

PXTradeReplyRules copies(std::initializer_list<const char*> keys) {
    PXTradeReplyRules rules;
    for (const char* key : keys) {
        rules.push_back({R::Copy, key, ""});
    }
    return rules;
}

PXTradeReplyRules moneys(std::initializer_list<const char*> keys) {
    PXTradeReplyRules rules;
    for (const char* key : keys) {
        rules.push_back({R::Money, key, ""});
    }
    return rules;
}

PXTradeReplyRules join(std::initializer_list<PXTradeReplyRules> parts) {
    PXTradeReplyRules rules;
    for (const PXTradeReplyRules& part : parts) {
        rules.insert(rules.end(), part.begin(), part.end());
    }
    return rules;
}

PXTradeRowsTable ordersTable() {
    return {true,
            {},
            join({copies({"OR_N", "TIME"}),
                  {{R::Copy, "STA_NUM", "STA"},
                   {R::Code,
                    "STA",
                    "",
                    {{"1", "已委托"},
                     {"2", "已成交"},
                     {"3", "已撤单"},
                     {"4", "部分成交"},
                     {"5", "部分成交后撤单"}}},
                   {R::Code, "TYPE", "", kBuySell},
                   {R::Code, "SE_F", "", kDelistTransfer},
                   {R::Code, "O_T", "", {{"1", " 委托"}, {"2", "订单查询"}}},
                   {R::MoneyOrDash, "STOP_LOSS", ""},
                   {R::MoneyOrDash, "STOP_PROFIT", ""}},
                  copies({"TR_I", "FI_I", "CO_I"}),
                  moneys({"PRI", "F_MAR", "F_FEE"}),
                  copies({"QTY", "T_QTY", "WD_T", "O_F"}),
                  {{R::DashWhenEmpty, "CO_ID", ""}},
                  copies({"H_NO"})})};
}

PXTradeRowsTable dealsTable() {
    return {true,
            {},
            join({copies({"TR_N", "OR_N", "TI"}),
                  {{R::Code, "TY", "", kBuySell}, {R::Code, "SE_F", "", kDelistTransfer}},
                  copies({"TR_I", "FI_I", "CO_I"}),
                  moneys({"PR"}),
                  copies({"O_PR", "QTY"}),
                  moneys({"LIQPL"}),
                  {{R::Fee, "COMM", ""}},
                  copies({"H_P", "OR_T", "HL_N"}),
                  {{R::CodeOr,
                    "TR_T",
                    "",
                    {{"1", "市价成交 用户下单"},
                     {"2", "市价成交 电话下单"},
                     {"3", "市价成交 系统下单"},
                     {"4", "自动强平 系统下单"},
                     {"5", "手动强平 系统下单"},
                     {"6", "指价成交 系统下单"},
                     {"7", "指价成交 电话下单"},
                     {"8", "指价成交 批量指价下单"},
                     {"*", "其它 其它"}}}}})};
}

PXTradeRowsTable reportClosedTable() {
    return {
        true, join({copies({"QUANTITY_SUM"}), moneys({"CLOSE_PL_SUM", "TRADE_FEE_SUM"})}),
        join({copies({"CLEAR_DATE", "CLOSE_TIME", "COMMODITY_NAME", "TRADE_NO", "QUANTITY"}),
              moneys({"PRICE", "HOLD_PRICE", "CLOSE_PL", "TRADE_FEE"}),
              copies({"OPEN_TRADE_NO"}),
              moneys({"OPEN_PRICE"}),
              copies({"HOLD_TIME"}),
              {{R::Code,
                "TRADE_TYPE",
                "",
                {{"1", " 成交"}, {"2", "自动强平"}, {"3", "手动强平"}, {"4", "条件成交"}}},
               {R::Code,
                "OPERATE_TYPE",
                "",
                {{"1", "用户下单"}, {"2", "电话下单"}, {"3", "系统下单"}, {"4", "批量条件下单"}}},
               {R::Code, "BS_FLAG", "", kBuySell}}})};
}

PXTradeRowsTable reportDealsTable() {
    return {true, join({copies({"QUANTITY_SUM"}), moneys({"TRADE_FUNDS_SUM", "TRADE_FEE_SUM"})}),
            join({copies({"CLEAR_DATE", "TRADE_NO", "COMMODITY_NAME", "QUANTITY"}),
                  moneys({"PRICE", "TRADE_FUNDS", "TRADE_FEE"}),
                  copies({"HOLD_TIME"}),
                  {{R::Code, "BS_FLAG", "", kBuySell}}})};
}

PXTradeRowsTable reportHoldingsTable() {
    return {true,
            join({copies({"HOLDQTY_SUM"}),
                  moneys({"HOLDE_PL_SUM", "HOLD_MARGIN_SUM", "DELAY_FEE_SUM"})}),
            join({copies({"CLEAR_DATE", "COMMODITY_NAME", "HOLD_NO", "HOLD_QTY"}),
                  moneys({"HOLD_PRICE", "OPEN_PRICE", "CLEAR_PRICE", "HOLD_PL", "HOLD_MARGIN"}),
                  copies({"HOLD_MARGIN_RATE"}),
                  moneys({"DELAY_FEE"}),
                  copies({"HOLD_TIME", "OPEN_TRADE_NO"}),
                  {{R::Code, "BS_FLAG", "", kBuySell}}})};
}

PXTradeRowsTable reportFundsFlowTable() {
    return {true, moneys({"AMOUNT_SUM"}),
            join({copies({"CLEAR_DATE", "FUND_FLOW"}), moneys({"AMOUNT", "BALANCE"}),
                  copies({"VOUCHER_NO", "OPR_CODE", "CREATE_TIME"})})};
}

PXTradeRowsTable reportFundsStatTable() {
    return {true,
            moneys({"FUNDIO_SUM", "CLOSEPL_SUM", "HOLDPL_SUM", "TRADEFEE_SUM", "DELAYFEE_SUM",
                    "MARGIN_SUM"}),
            join({copies({"CLEAR_DATE"}),
                  moneys({"LAST_CAPITAL", "FUNDIO", "CLOSE_PL", "HOLD_PL", "TRADE_FEE", "DELAY_FEE",
                          "MARGIN", "CAPITAL"}),
                  copies({"STATUS", "RISK_RATE"})})};
}

PXTradeRowsTable marketFundsTable() {
    return {false,
            {},
            join({{{R::Letter, "AP", "", {{"V", "虚拟账户"}, {"M", "主账户"}, {"S", "次账户"}}}},
                  copies({"FIRMID", "FIRM_NAME", "BANK_ACCOUNT", "BANK_ID", "BANK_NAME", "EQ",
                          "IOF", "COM", "UF", "FIF"})})};
}

PXTradeRowsTable transfersTable() {
    return {true, copies({"TTLREC", "OMS", "IMS"}),
            join({copies({"MID", "TD", "BANK_NAME"}),
                  {{R::LetterOr, "TT", "", {{"I", "入金"}, {"*", "出金"}}}},
                  copies({"AM", "TS", "REM"})})};
}

const PXTradeRowsTable kTables[kRowsKindCount] = {
    ordersTable(),
    dealsTable(),
    reportClosedTable(),
    reportDealsTable(),
    reportHoldingsTable(),
    reportFundsFlowTable(),
    reportFundsStatTable(),
    marketFundsTable(),
    {false, {}, copies({"BANK_ID", "BANK_NAME", "ST", "ET", "OPI", "IPI", "BBI"})},
    transfersTable(),
    {false, {}, copies({"ID", "TITLE", "TYPE", "PUBLISH", "SEND_TIME", "EXPIRY_TIME"})},
    {false,
     {},
     copies({"OR_N", "TIME", "ORDER_TYPE", "TYPE", "PRI", "QTY", "UT_QTY", "T_QTY", "TR_I", "F_MAR",
             "F_TYPE"})},
};

}  // namespace

const PXTradeRowsTable& tradeRowsTable(int kind) {
    return kTables[kind];
}

const PXTradeReplyRules& tradeAccountRules() {
    static const PXTradeReplyRules rules =
        join({copies({"FI",   "FN",     "IF",         "CM",   "CF", "CD",  "RM", "RF",
                      "OR_F", "OR_F_M", "OR_F_F",     "OT_F", "UF", "FEE", "PL", "EQT",
                      "IOF",  "HPF",    "FUNDS_RISK", "OC",   "IB", "SM"}),
              {{R::Code, "STA", "", {{"0", "正常"}, {"1", "禁止交易"}, {"2", "退市"}}},
               {R::Letter,
                "C_STA",
                "",
                {{"U", "未激活"}, {"N", "正常"}, {"F", "冻结"}, {"D", "终止"}, {"C", "已创建"}}}}});
    return rules;
}

const PXTradeReplyRules& tradeAnnouncementDetailRules() {
    static const PXTradeReplyRules rules =
        copies({"ID", "TITLE", "CONTENT", "TYPE", "PUBLISH", "SEND_TIME", "EXPIRY_TIME"});
    return rules;
}
