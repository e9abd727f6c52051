#include "sim/trade/SimTradeCatalogue.h"

namespace {
SimTradeAccountSeed seed(const std::string& id, const std::string& name, const std::string& phone,
                         const std::string& firm) {
    return {id,
            name,
            SimTradeCatalogue::kPassword,
            SimTradeCatalogue::kFundPassword,
            phone,
            firm,
            100000000,
            50000000};
}
}  // namespace

const std::vector<SimTradeBank>& SimTradeCatalogue::banks() {
    static const std::vector<SimTradeBank> list = {{"900", "模拟银行"}, {"102", "工商银行"}};
    return list;
}

std::vector<SimTradeEnvironment> SimTradeCatalogue::standard() {
    const std::vector<SimTradeFirm> eastFirms = {{"F001", "华东一号会员", true},
                                                 {"F002", "华东二号会员", true},
                                                 {"F009", "停牌会员", false}};
    SimTradeEnvironment real{"01", "01", "实盘", "1", true, 0, eastFirms, {}};
    real.accounts = {seed("100000000000001", "张三", "13800000001", "F001"),
                     seed("100000000000002", "李四", "13800000002", "F002"),
                     seed("100000000000003", "王五", "13800000003", "F001")};
    SimTradeEnvironment demo{"01", "02", "模拟", "3", false, 0, eastFirms, {}};
    demo.accounts = {seed("200000000000001", "赵六", "13800000011", "F001"),
                     seed("200000000000002", "孙七", "13800000012", "F002"),
                     seed("209000000000009", "周九", "13800000019", "F009")};
    SimTradeEnvironment west{"02",
                             "01",
                             "实盘",
                             "1",
                             true,
                             0,
                             {{"W001", "西部一号会员", true}, {"W002", "西部二号会员", true}},
                             {}};
    west.accounts = {seed("300000000000001", "吴一", "13800000021", "W001"),
                     seed("300000000000002", "郑二", "13800000022", "W002")};
    return {real, demo, west};
}
