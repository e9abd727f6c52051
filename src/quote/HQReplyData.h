#pragma once

// What a quote reply carries to the requester's dataAnalysisFinished, by request type:
// "jyspaninfo" and "shiChangXinXix" an array whose element 0 is a MarketItem, "panJYTime" one
// PanJYTime, "allyikoujia" an array of YiKouJia, "oneyikoujia" one YiKouJia, "zipsec" an array of
// {"secSign", "sec"}, "KlinePeriod" an array of KPeriodDataItem, "fenshi" and "manydayfenshi" an
// array of CommodityFenShiDataItem, "Kline" and "manydaykxian" an array of ReturnKLineData,
// "Registration" nothing. A plain value.

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "quote/QuoteRecords.h"

using HQZipSecEntry = std::map<std::string, std::string>;

using HQReplyData = std::variant<std::monostate,
                                 std::vector<std::shared_ptr<MarketItem>>,
                                 std::shared_ptr<PanJYTime>,
                                 std::vector<std::shared_ptr<YiKouJia>>,
                                 std::shared_ptr<YiKouJia>,
                                 std::vector<HQZipSecEntry>,
                                 std::vector<std::shared_ptr<KPeriodDataItem>>,
                                 std::vector<std::shared_ptr<CommodityFenShiDataItem>>,
                                 std::vector<std::shared_ptr<ReturnKLineData>>>;
